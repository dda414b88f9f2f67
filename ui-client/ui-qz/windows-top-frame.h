#pragma once

class QBoxLayout;

// The thin line under the title bar of the program's windows. The system of
// this build draws its own title bar edge, so nothing is added here. The main
// window and the Log window share this one home.
void addWindowsTopFrame(QBoxLayout* layout);

// The strip's height where a system wants it: the display scale, fraction
// dropped (1 px from 1.0 to below 2.0, 2 px from 2.0 to below 3.0).
int windowsTopFrameHeight(double scale);
