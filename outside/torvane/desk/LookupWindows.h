#pragma once
// Installs the work center's windows as the lookup server's callbacks (every lookup-service object
// made afterwards uses them): the F2 lookup, common phrases, the date picker, the character picker
// and the calculator. Uninstall puts the previous callbacks back.
void InstallLookupWindows();
void UninstallLookupWindows();
