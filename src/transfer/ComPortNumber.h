#pragma once

// The PC's COM-port number (1 to 32) that the write and read commands open.
// It lives for the whole run: the main frame reads it from "PZ.DAT" at start
// and writes it back there at exit; the COM-port dialog changes it. It starts
// at 1. Safe to read from any thread.
int ComPortNumber();
// A number outside 1 to 32 (a damaged "PZ.DAT", for one) becomes 1.
void SetComPortNumber(int number);
