#pragma once

// The string ids include no code.
#include "base/SomeRule.h"
