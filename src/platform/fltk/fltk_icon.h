// The program's icon on its windows, in the sizes a desktop shows in title bars and task lists.
#pragma once

class Fl_Window;

namespace quorvel {

void setProgramIcon(Fl_Window& window);

}  // namespace quorvel
