#pragma once

namespace zlv {
// Creates the nine windows once, in the order the rest of the program relies on.
void CreateApplicationWindows();
} // namespace zlv
