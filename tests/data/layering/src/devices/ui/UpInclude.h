#pragma once

// The devices' windows may not use a rule of the property pages.
#include "pages/SomeRule.h"
