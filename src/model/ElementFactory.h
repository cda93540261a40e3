#pragma once

#include "model/CScreenElement.h"

#include <memory>

// A new element of kind 0 to 5 (ElementKind); `subFlag` makes a text dynamic
// and a graph a curve. Nothing for any other kind.
std::shared_ptr<CScreenElement> CreateElementOfKind(int kind, bool subFlag);
