// Resource ids of the Windows program. The numbers are the ones the shell and its dialogs use
// (app/CommandIds.h, app/DialogIds.h); a test compares the two.
#pragma once

#define IDD_PARTS 101
#define IDS_APP_TITLE 103
#define IDD_ABOUT 103
#define IDD_KEYS 104
#define IDC_MAIN 109
#define IDI_TONEFALLS 131
#define IDI_SMALL 132

#define IDM_ABOUT 104
#define IDM_EXIT 105
#define IDM_START 129
#define IDM_HELP 130
// View: the zooms and full screen (also F11 and Alt+Enter).
#define IDM_ZOOM_1 141
#define IDM_ZOOM_15 142
#define IDM_ZOOM_2 143
#define IDM_ZOOM_3 144
#define IDM_FULLSCREEN 145
// View: the bar of the last presses' errors under the judgement line, a check item.
#define IDM_HIT_ERROR_BAR 146
// GamePlay > Recent: the songs played last, filled in at run time from IDM_RECENT_FIRST on.
#define IDM_RECENT_FIRST 161
// View > MIDI input: the window fills it with one item per port, from this id up, each time it
// opens; the resource holds only its last item, "None".
#define IDM_MIDI_IN_FIRST 200

// Part-selection dialog: part n (1-16) owns IDC_PART_CHECK + n - 1, IDC_PART_COUNT + n - 1,
// IDC_PART_INSTRUMENT + n - 1 and IDC_PART_PREVIEW + n - 1.
#define IDC_PART_CHECK 1001
#define IDC_LEVEL 1018
#define IDC_SPEED_10 1021
#define IDC_SPEED_15 1022
#define IDC_SPEED_20 1023
#define IDC_SPEED_30 1024
#define IDC_HIDDEN 1025
#define IDC_SUDDEN 1026
#define IDC_PART_COUNT 1029
#define IDC_KEYS_5 1045
#define IDC_KEYS_7 1046
#define IDC_KEYS_15 1047
#define IDC_AUTO_PLAY 1048
#define IDC_KEY_LAYOUT 1049
#define IDC_PART_PREVIEW 1050
#define IDC_PART_INSTRUMENT 1081
#define IDC_OFFSET 1073

// Key dialog: lane l (0-14) owns the drop-down list IDC_KEY_COMBO + l.
#define IDC_KEY_COMBO 1051
#define IDC_KEY_RESET 1067
#define IDC_SHARED_KEYS 1068

#define IDC_ABOUT_ICON 1070
#define IDC_ABOUT_SOUND 1071

#ifndef IDC_STATIC
#define IDC_STATIC (-1)
#endif
