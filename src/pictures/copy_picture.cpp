// "copy picture": Picture1's assigned picture to the system clipboard, then the clipboard's
// picture into Picture2.
#include "pictures/picture_commands.h"

namespace stepwise {

// Only the assigned picture moves; the circles drawn on Picture1 are not part of it. Nothing in
// the program assigns Picture1 a picture, so usually there is nothing to put: the clipboard then
// keeps what it holds (another program's picture is not wiped), and Picture2 shows that picture
// when the clipboard holds one. A clipboard that refuses the picture, or holds no picture,
// changes nothing: Picture2 keeps what it shows.
void cmd_copy_picture_Click(Platform& platform) {
    const Picture source = platform.picture(ControlId::Picture1);
    if (source && !platform.putClipboardPicture(source)) return;
    const Picture copied = platform.clipboardPicture();
    if (copied) platform.setPicture(ControlId::Picture2, copied);
}

}  // namespace stepwise
