#pragma once

// A shared widget may not use a rule of the editor shell.
#include "shell/SomeRule.h"
