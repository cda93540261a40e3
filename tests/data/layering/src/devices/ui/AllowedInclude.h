#pragma once

// The devices' windows may use the project.
#include "model/SomeRule.h"
