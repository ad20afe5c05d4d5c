#pragma once
// The whole console, as a player meets it: one picture per situation of a
// game (a round announced, text and picture questions, the pointer over an
// answer, the lifelines, right and wrong answers, a time-out, the final
// message, long texts).
class CGallery;
class CPlaydeckGauges;
class CSteppedTimers;

// The console library must be registered: the console makes its children
// through the registry.
bool AddConsoleStates(CGallery& gallery, const CPlaydeckGauges& gauges, CSteppedTimers& timers);
