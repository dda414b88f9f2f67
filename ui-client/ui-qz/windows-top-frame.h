#pragma once

class QBoxLayout;

// The thin line under the title bar of the program's windows. The system of
// this build draws its own title bar edge, so nothing is added here. The main
// window and the Log window share this one home.
void addWindowsTopFrame(QBoxLayout* layout);
