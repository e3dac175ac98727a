// Sort > Start: runs the chosen routine over SortData.
#pragma once

// Does nothing unless a data set is in use and no routine is executing
// (a stopped routine that has not yet returned counts as executing).
void mnuStart_Click();
