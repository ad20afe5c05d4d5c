#pragma once
// Every state of the three gauges, each made through the gauge's own
// interface and grabbed from its window: the countdown bar at 0..60 seconds,
// the lives row at 0..5 lives and one dissolve frame by frame, the ladder on
// each of its 16 rungs.
class CGallery;
class CPlaydeckGauges;
class CSteppedTimers;

// False when a gauge could not be made or a picture not written.
bool AddGaugeStates(CGallery& gallery, const CPlaydeckGauges& gauges, CSteppedTimers& timers);
