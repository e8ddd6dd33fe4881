/* Resource, control and command identifiers, shared by the code and resources/sorvane.rc. */
#ifndef SORVANE_IDS_H
#define SORVANE_IDS_H

/* Resources */
#define IDD_ADVANCED            127
#define IDD_PROGRESS            500
#define IDI_SORVANE             800

/* Main window controls */
#define IDC_SEARCH_IN_LABEL     111
#define IDC_SEARCH_FOR_LABEL    112
#define IDC_DRIVE_BOX           113
#define IDC_MEDIA_BOX           114
#define IDC_START               115
#define IDC_RESULT_LIST         116
#define IDC_ADVANCED            126
#define IDC_STATUS_LINE         128

/* Context menu of the result list */
#define IDM_OPEN                117
#define IDM_OPEN_PARENT         118
#define IDM_DELETE              119
#define IDM_REMOVE              120
#define IDM_PROPERTIES          121
#define IDM_NUMBERS             129

/* Menu bar */
#define IDM_EXPORT              181
#define IDM_EXIT                182
#define IDM_ABOUT               183

/* Send submenus: first drive item; the "Folder..." item follows the last drive */
#define IDM_SEND_TO_BASE        200
#define IDM_SEND_ALL_BASE       300

/* Advanced search settings dialog */
#define IDC_ADV_EXT_HELP        111
#define IDC_ADV_OK              151
#define IDC_ADV_CANCEL          152
#define IDC_ADV_FOLDER          153
#define IDC_ADV_DRIVES          154
#define IDC_ADV_OWN_EXT         155
#define IDC_ADV_DEFAULT_EXT     156
#define IDC_ADV_EXT_BOX         157
#define IDC_ADV_FOLDER_LABEL    159
#define IDC_ADV_EVERYTHING      160
#define IDC_ADV_MIN_CHECK       161
#define IDC_ADV_MAX_CHECK       162
#define IDC_ADV_MIN_VALUE       163
#define IDC_ADV_MAX_VALUE       164
#define IDC_ADV_MIN_UNIT        165
#define IDC_ADV_MAX_UNIT        166
#define IDC_ADV_SAVE            167
#define IDC_ADV_LOAD            168

/* Copy progress window */
#define IDC_PROGRESS_STATUS     501
#define IDC_PROGRESS_PERCENT    502
#define IDC_PROGRESS_CANCEL     503
#define IDC_PROGRESS_SPEED      504
#define IDC_PROGRESS_BAR        678

#endif
