// English texts of the dialog templates and of the context menu.
#define FORM_FONT               FONT 10, "MS Shell Dlg", 0, 0, 0x1

#define TXT_ABOUT_CAPTION       "About Pulsora Pro"
#define TXT_MAKER_NOTICE        MAKER_NOTICE_EN
#define TXT_VERSION             "Version " WD_VERSION_TEXT
#define TXT_RELEASE_DATE        "June 24, 2019"
#define TXT_OK                  "OK"

// Wider than the Chinese 98: "monitoring" must fit beside the button's 90 px icon.
#define HOME_BUTTON_WIDTH       110
#define TXT_GET_MONITORING      "Get monitoring data"
#define TXT_GET_CHECK           "Get ward-round data"
#define TXT_VIEW_DATA           "View data"
#define TXT_SETTINGS            "Settings"
#define TXT_ABOUT               "About"
#define TXT_EXIT                "Exit"

#define TXT_PATIENT_GROUP       "Patient details"
#define TXT_NAME_LABEL          "Name:"
#define TXT_SEX_LABEL           "Sex:"
#define TXT_AGE_LABEL           "Age:"
#define TXT_ID_LABEL            "ID:"
#define TXT_HEIGHT_LABEL        "Height:"
#define TXT_WEIGHT_LABEL        "Weight:"
#define TXT_ADVICE_LABEL        "Orders:"
#define TXT_HEIGHT_UNIT         "cm"
#define TXT_WEIGHT_UNIT         "kg"
#define TXT_SAVE                "Save"
#define TXT_DELETE              "Delete"
#define TXT_START_DATE_LABEL    "Start date:"
#define TXT_START_TIME_LABEL    "Start time:"
#define TXT_END_DATE_LABEL      "End date:"
#define TXT_END_TIME_LABEL      "End time:"
#define TXT_UNITS               "Units:   NIBP mmHg        Temp. ℃      ETCO2 mmHg"
#define TXT_EXPORT              "Export"
#define TXT_SHOW_TREND          "Trend chart"
#define TXT_SHOW_TABLE          "Data table"
#define TXT_SHOW_REPORT        "Report"
#define TXT_EXPORT_CSV         "Export CSV"
#define TXT_PRINT              "Print..."
#define TXT_PREVIOUS_PAGE      "Previous"
#define TXT_NEXT_PAGE          "Next"

#define TXT_HOME_ARCHIVE        "Archive"
#define TXT_ARCHIVE_OPEN        "Open"
#define TXT_ARCHIVE_DELETE      "Delete"
#define TXT_ARCHIVE_SEARCH      "Find a patient (ID or name):"
#define TXT_ARCHIVE_FIND        "Find"
#define TXT_ARCHIVE_OPEN_HISTORY "Open history"

#define TXT_EDIT_MENU           "Edit"
#define TXT_EDIT_CUT            "Cu&t\tCtrl+X"
#define TXT_EDIT_COPY           "&Copy\tCtrl+C"
#define TXT_EDIT_PASTE          "&Paste\tCtrl+V"
