#include "frontends/qt/picture_box_accessible.h"

#include <QAccessibleWidget>

#include "frontends/qt/picture_box.h"

namespace stepwise::qt {

namespace {

class PictureBoxAccessible final : public QAccessibleWidget {
public:
    explicit PictureBoxAccessible(QWidget* box) : QAccessibleWidget(box, QAccessible::Graphic) {}
};

QAccessibleInterface* pictureBoxInterface(const QString& className, QObject* object) {
    if (className != QLatin1String(PictureBox::staticMetaObject.className()) || !object->isWidgetType())
        return nullptr;
    return new PictureBoxAccessible(static_cast<QWidget*>(object));
}

}  // namespace

void installPictureBoxAccessibility() {
    static const bool installed = [] {
        QAccessible::installFactory(pictureBoxInterface);
        return true;
    }();
    (void)installed;
}

}  // namespace stepwise::qt
