// radlog-station: Radlog on a field station, without a window and without Qt.
#include "RadlogMain.h"

int main(int argc, char** argv) { return RadlogMain(argc, argv, nullptr); }
