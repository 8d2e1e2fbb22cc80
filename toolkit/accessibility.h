#pragma once

// Lets screen readers see a MultiRowTabWidget as a tab bar is seen: a page-tab list whose
// children are exactly its page tabs, each named by its caption, selected when current and placed
// by its index; each tab holds its page, so that whatever lies on a page is heard under its tab.
// A picture box is seen as a graphic, and a plain widget shown as a window of its own as a
// window. Installing more than once does nothing.
void installToolkitAccessibility();
