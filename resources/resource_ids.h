// Every resource name, command number and control id of the program, shared
// by the resource script and the C++ code.
#pragma once

// Resource names.
#define RES_MENU "Menu"
#define RES_ACCELERATORS "Accels"
#define RES_BIG_ICON "Big_Icon"
#define RES_SPLASH_DIALOG "SplashScreen"
#define RES_TITLE_BITMAP "TitleBitmap"
#define IDB_TOOLBAR 200

// Window classes.
#define CLASS_MAIN "Kelvane95"
#define CLASS_PASSAGE "READWINDOW"
#define CLASS_VERSE_LIST "VERSELIST"
#define CLASS_NOTES "NOTEWND"
#define CLASS_NOTE_EDITOR "NOTEEDIT"

// Commands.
#define CMD_EXIT 102
