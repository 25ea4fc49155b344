// Clock, interval and date events: the commands that bind actions to times,
// and the timer that runs them.
#pragma once

namespace tk {

class TMainForm;
struct CommandContext;

void RunCes(CommandContext& context);
void RunCed(CommandContext& context);
void RunCea(CommandContext& context);
void RunIes(CommandContext& context);
void RunIed(CommandContext& context);
void RunIea(CommandContext& context);
void RunDes(CommandContext& context);
void RunDed(CommandContext& context);
void RunDea(CommandContext& context);

// Makes the event timer (stopped: it runs only while something can fall due)
// and listens to the form's second beat for the once-a-second checks.
void CreateEventTimer(TMainForm& form);
// Sets the event timer to wake at the next moment anything can be due, and
// wants the second beat while a check falls due every second, after the
// lists or the state that holds events back changed.
void ScheduleEventTimer(TMainForm& form);
// Events held back by an action may run now (it ended, or its choices wait):
// the timer wakes on the first beat it can reach.
void ResumeHeldEvents(TMainForm& form);

}  // namespace tk
