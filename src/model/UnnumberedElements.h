#pragma once

class CVX50TextDoc;

// Old project files may hold elements numbered 0. Once a project is loaded,
// each such element, in list order, takes the lowest number its class leaves
// free on its screen, and the project is marked modified so that the numbers
// are saved. Returns whether any element was numbered.
bool NumberUnnumberedElements(CVX50TextDoc& document);
