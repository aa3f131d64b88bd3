#include "lesson/text_transforms.h"

#include "format/numbers.h"

namespace stepwise {

Text numberText(double number) { return (number < 0 ? Text(u"-") : Text()) + generalNumber(number); }

}  // namespace stepwise
