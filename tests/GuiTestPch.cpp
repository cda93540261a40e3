// The GUI test executables reuse this target's precompiled header; the target
// itself compiles nothing else.
