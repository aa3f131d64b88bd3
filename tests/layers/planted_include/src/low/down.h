#pragma once

#include "low/ok.h"
#include "high/up.h"
