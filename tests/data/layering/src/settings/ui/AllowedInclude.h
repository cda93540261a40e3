#pragma once

// The settings' windows may use the property pages' rules.
#include "pages/SomeRule.h"
