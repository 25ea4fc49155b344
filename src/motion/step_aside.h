// Out of the way of full-screen programs: while another program's window in
// front covers the whole monitor the character stands on (a game, a video,
// a slide show), the character stands aside, hidden and not walking, while
// its timed events go on; it comes back where it was when that window
// leaves the front or no longer covers the monitor.
#pragma once

namespace tk {

class TMainForm;

// Starts watching the window in front and looks at it once; called when the
// character first shows.
void StartSteppingAside(TMainForm& form);
// Looks at the window in front now: stands aside or comes back, and keeps
// looking each second only while that is needed.
void LookAtFrontWindow(TMainForm& form);
// Watches no more; the character stays as it is.
void StopSteppingAside(TMainForm& form);

}  // namespace tk
