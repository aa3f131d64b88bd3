#include "review/class_model.h"
