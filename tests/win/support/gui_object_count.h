// Counts of the GUI objects a process holds, for leak tests. GetGuiResources answers 0 under
// Wine, so GDI objects are counted through Wine's handle table and windows by enumeration.
#pragma once

// Live GDI objects of this process: every index of Wine's GDI handle table whose object type
// is known. Wine only: on Windows the handle values are not table indices.
int CountGdiObjects();
// Windows of this process: top-level windows and all their descendants.
int CountWindows();
