// Resource identifiers of wardDesk.exe and rc_en.dll. Both modules use the same numbers, so the
// program finds every string, dialog and menu in whichever module is current.
// Plain #defines: read by the resource compiler and by C++.
#ifndef WARDDESK_RES_RESOURCE_H
#define WARDDESK_RES_RESOURCE_H

// ---- Frame -----------------------------------------------------------------------------------
#define IDR_MAINFRAME                   128   // program icon; string: window title
#define IDR_EDIT_MENU                   119   // context menu "编辑"

// ---- Dialog templates --------------------------------------------------------------------------
#define IDD_ABOUTBOX                    100
#define IDD_MONITOR_LIST_VIEW           346
#define IDD_CHECK_LIST_VIEW             347
#define IDD_HOME_VIEW                   354
#define IDD_TREND_VIEW                  383
#define IDD_REPORT_VIEW                 393
#define IDD_ARCHIVE_VIEW                396

// ---- Controls ----------------------------------------------------------------------------------
#ifndef IDC_STATIC
#define IDC_STATIC                      (-1)
#endif
// Ward-round list view (347)
#define IDC_EXPORT_CHECK                1002
#define IDC_CHECK_UNITS                 1003
#define IDC_CHECK_LIST                  1004
// Home view (354)
#define IDC_GET_MONITORING              1005
#define IDC_GET_CHECK                   1006
#define IDC_VIEW_DATA                   1007
#define IDC_SETTINGS                    1008
#define IDC_ABOUT                       1009
#define IDC_EXIT                        1010
// Patient form shared by the monitoring list view (346) and the trend view (383)
#define IDC_NAME                        1011
#define IDC_SEX                         1012
#define IDC_AGE                         1013
#define IDC_PATIENT_ID                  1014
#define IDC_HEIGHT                      1015
#define IDC_WEIGHT                      1016
#define IDC_ADVICE                      1017
#define IDC_SAVE_PATIENT                1018
#define IDC_DELETE_PATIENT              1019
#define IDC_START_DATE                  1020
#define IDC_START_TIME                  1021
#define IDC_END_DATE                    1022
#define IDC_END_TIME                    1023
#define IDC_SHOW_TREND                  1024
#define IDC_EXPORT_MONITOR              1026
#define IDC_MONITOR_LIST                1027
#define IDC_COLLAPSE_FORM               1028
#define IDC_EXPAND_FORM                 1029
#define IDC_SHOW_TABLE                  1030
#define IDC_SPO2_CHART                  1033
#define IDC_PR_CHART                    1034
#define IDC_NIBP_CHART                  1035
#define IDC_TIME_SCROLL                 1036
#define IDC_TREND_GROUP                 1037
#define IDC_NAME_LABEL                  1038
#define IDC_SEX_LABEL                   1039
#define IDC_AGE_LABEL                   1040
#define IDC_ID_LABEL                    1041
#define IDC_HEIGHT_LABEL                1042
#define IDC_WEIGHT_LABEL                1043
#define IDC_HEIGHT_UNIT                 1044
#define IDC_WEIGHT_UNIT                 1045
#define IDC_START_DATE_LABEL            1046
#define IDC_START_TIME_LABEL            1047
#define IDC_END_DATE_LABEL              1048
#define IDC_END_TIME_LABEL              1049
#define IDC_UNITS                       1050
#define IDC_MONITOR_GROUP               1051
#define IDC_ADVICE_LABEL                1052
#define IDC_SHOW_REPORT                 1053  // monitoring list and trend view
#define IDC_EXPORT_MONITOR_CSV          1054  // monitoring list
#define IDC_EXPORT_CHECK_CSV            1055  // ward-round list
// Report view (393)
#define IDC_REPORT_PRINT                1060
#define IDC_REPORT_PREVIOUS             1061
#define IDC_REPORT_NEXT                 1062
#define IDC_REPORT_PAGE                 1063
#define IDC_REPORT_PREVIEW              1064
// Data overview: the button above its list, made in code
#define IDC_OVERVIEW_EXPORT_CSV         1065
// Archive view (396)
#define IDC_ARCHIVE_DOWNLOADS           1070
#define IDC_ARCHIVE_PERSONS             1071
#define IDC_ARCHIVE_OPEN                1072
#define IDC_ARCHIVE_DELETE              1073
#define IDC_ARCHIVE_SEARCH_LABEL        1074
#define IDC_ARCHIVE_SEARCH              1075
#define IDC_ARCHIVE_FIND                1076
#define IDC_ARCHIVE_OPEN_HISTORY        1077
#define IDC_ARCHIVE_STATUS              1078
#define IDC_ARCHIVE_PERSONS_LABEL       1079
// Home view's entry to the archive
#define IDC_HOME_ARCHIVE                1080
// Data overview: its list is created in code
#define IDC_OVERVIEW_LIST               32820

// ---- Icons -------------------------------------------------------------------------------------
#define IDI_PROGRAM                     128
#define IDI_PLUG_CONNECTED              310
#define IDI_START_COMM                  311
#define IDI_PLUG_DISCONNECTED           312
#define IDI_SETTINGS                    313
#define IDI_LAMP_ON                     314
#define IDI_LAMP_OFF                    315
#define IDI_STOP_COMM                   335
#define IDI_INFO                        339
#define IDI_DOWNLOAD                    340
#define IDI_SAVE                        341
#define IDI_CLEAR_DEVICE                343
#define IDI_HOME_GET_MONITORING         349
#define IDI_HOME_VIEW_DATA              351
#define IDI_HOME_SETTINGS               352
#define IDI_HOME_EXIT                   355
#define IDI_HOME_ABOUT                  363
#define IDI_HOME_GET_CHECK              364
#define IDI_HOME_VIEW_DATA_ACTIVE       365
#define IDI_HOME_ABOUT_ACTIVE           366
#define IDI_HOME_GET_CHECK_ACTIVE       367
#define IDI_HOME_GET_MONITORING_ACTIVE  368
#define IDI_HOME_SETTINGS_ACTIVE        369
#define IDI_COLLAPSE_FORM               372
#define IDI_EXPAND_FORM                 373
#define IDI_SHOW_CHECK_LIST             374
#define IDI_SHOW_TREND                  375
#define IDI_SHOW_MONITOR_LIST           376
#define IDI_HISTORY_BACK                377
#define IDI_HISTORY_FORWARD             378
#define IDI_IMPORT_CHECK                380
#define IDI_IMPORT_MONITOR              382
#define IDI_SHOW_HOME                   385
#define IDI_LANGUAGE_ENGLISH            388
#define IDI_ALERT                       390
#define IDI_LANGUAGE_CHINESE            391
#define IDI_SHOW_REPORT                 392
#define IDI_SHOW_ARCHIVE                396
#define IDI_HOME_ARCHIVE                397
#define IDI_HOME_ARCHIVE_ACTIVE         398

// ---- Bitmaps -----------------------------------------------------------------------------------
#define IDB_RIBBON_SMALL                110   // 12 images of 16 x 16
#define IDB_RIBBON_LARGE                111   // the same 12 at 32 x 32
#define IDB_APP_BUTTON                  112   // 32 x 32
#define IDB_PANEL_IMAGES                113   // 28 images of 16 x 16

// ---- Commands ----------------------------------------------------------------------------------
// A command's string (same number) holds "caption\ntooltip".
#define ID_START_COMM                   220
#define ID_STOP_COMM                    221
#define ID_STATUS_INDICATOR             32819 // both ribbon indicators
#define ID_CLEAR_DEVICE                 32821
#define ID_CLEAR_MONITOR_CHOICE         32822
#define ID_CLEAR_CHECK_CHOICE           32823
#define ID_SHOW_CHECK_LIST              32825
#define ID_SHOW_TREND                   32826
#define ID_SHOW_MONITOR_LIST            32827
#define ID_HISTORY_BACK                 32828
#define ID_HISTORY_FORWARD              32829
#define ID_IMPORT_CHECK                 32830
#define ID_IMPORT_MONITOR               32831
#define ID_SHOW_HOME                    32833
#define ID_LANGUAGE_CHINESE             32835
#define ID_LANGUAGE_ENGLISH             32836
#define ID_SHOW_REPORT                  32837
#define ID_SHOW_ARCHIVE                 32850
#define ID_EDIT_COPY                    57634
#define ID_EDIT_CUT                     57635
#define ID_EDIT_PASTE                   57637
#define ID_APP_ABOUT                    57664
// Application looks: radio commands without strings
#define ID_LOOK_FIRST                   210
#define ID_LOOK_DEFAULT                 216
#define ID_LOOK_LAST                    218
// Status bar elements: no strings
#define ID_PANE_STATUS_TEXT             120
#define ID_PANE_PROGRESS                32818

// ---- Strings -----------------------------------------------------------------------------------
#define IDS_APP_TITLE                   128
#define IDS_PANEL_LANGUAGE              125
#define IDS_CATEGORY_OPERATIONS         137
#define IDS_PANEL_VIEWS                 138
#define IDS_PANEL_STATUS                145
#define IDS_IMPORT                      151   // import panel and import dialog title
#define IDS_NO_DEVICE                   154
#define IDS_COL_ID_CARD                 155
#define IDS_COL_DATA                    156
#define IDS_MINUTES_OF_DATA             157   // %d
#define IDS_CHECK_DATA                  158
#define IDS_RECORDS_OF_DATA             159   // %d
#define IDS_SEX_MALE                    160
#define IDS_SEX_FEMALE                  161
#define IDS_COL_NUMBER                  162
#define IDS_COL_DATE                    163
#define IDS_COL_TIME                    164
#define IDS_COL_NAME                    165
#define IDS_COL_SEX                     166
#define IDS_COL_AGE                     167
#define IDS_COL_HEIGHT                  168
#define IDS_COL_WEIGHT                  169
#define IDS_COL_SPO2                    170
#define IDS_COL_PULSE_RATE              171
#define IDS_COL_SYSTOLIC                172   // also the NIBP chart's legend
#define IDS_COL_DIASTOLIC               173   // also the NIBP chart's legend
#define IDS_COL_MEAN                    174
#define IDS_COL_TEMPERATURE             175
#define IDS_COL_RESPIRATION             176
#define IDS_DISPLAY_UNITS               177   // the views replace its "$" by U+2103
#define IDS_EXPORT_TITLE                178
#define IDS_CLEAR_SUCCEEDED             179
#define IDS_CLEAR_FAILED                180
#define IDS_COL_ITEM                    181
#define IDS_NAME_REQUIRED               182
#define IDS_NO_DATA                     183
#define IDS_PANEL_COMM                  275   // "caption\nkeytip"
#define IDS_EDIT_MENU                   306
#define IDS_SELECT_DATA_TO_CLEAR        389
#define IDS_COMM_ERROR                  390
#define IDS_CONNECTION_INDICATOR        32819 // string of ID_STATUS_INDICATOR
// Numbers of our own, above every number the program inherited
#define IDS_LOAD_INDICATOR              400   // second indicator shares command 32819
#define IDS_IMPORT_FAILED               401
#define IDS_SAVE_FAILED                 402
#define IDS_HEIGHT_WEIGHT_LIMIT         403
#define IDS_EXPORT_FAILED               404
#define IDS_DOWNLOAD_TOTALS             405   // %d monitoring, %d ward-round
#define IDS_CREATE_THREAD_FAILED        406
#define IDS_UNEXPECTED_ERROR            407   // an exception stopped at a boundary
#define IDS_PRINT_FAILED                408
#define IDS_REPORT_PAGE                 409   // %1 page, %2 pages: the report view's page label
#define IDS_EXPORT_CSV                  411   // the overview's button
// The report's texts, in the order of ReportStrings (views/report/report_texts.cpp); patterns
// take %1, %2, %3.
#define IDS_REPORT_TITLE                420
#define IDS_REPORT_PATIENT_HEADING      421
#define IDS_REPORT_SUMMARY_HEADING      422
#define IDS_REPORT_EPISODES_HEADING     423
#define IDS_REPORT_NAME                 424
#define IDS_REPORT_ID                   425
#define IDS_REPORT_SEX                  426
#define IDS_REPORT_AGE                  427
#define IDS_REPORT_HEIGHT               428
#define IDS_REPORT_WEIGHT               429
#define IDS_REPORT_ADVICE               430
#define IDS_REPORT_MALE                 431
#define IDS_REPORT_FEMALE               432
#define IDS_REPORT_HEIGHT_VALUE         433
#define IDS_REPORT_WEIGHT_VALUE         434
#define IDS_REPORT_RECORDING            435
#define IDS_REPORT_MINUTES              436
#define IDS_REPORT_EXCLUDED             437
#define IDS_REPORT_SPAN                 438
#define IDS_REPORT_SPO2_VALID           439
#define IDS_REPORT_SPO2_MEAN_MEDIAN     440
#define IDS_REPORT_SPO2_LOWEST          441
#define IDS_REPORT_SPO2_HIGHEST         442
#define IDS_REPORT_BELOW_90             443
#define IDS_REPORT_BELOW_88             444
#define IDS_REPORT_DESATURATIONS_3      445
#define IDS_REPORT_DESATURATIONS_4      446
#define IDS_REPORT_PULSE                447
#define IDS_REPORT_NIBP_READINGS        448
#define IDS_REPORT_SYSTOLIC             449
#define IDS_REPORT_DIASTOLIC            450
#define IDS_REPORT_TEMPERATURE          451
#define IDS_REPORT_RESPIRATION          452
#define IDS_REPORT_PERCENT              453
#define IDS_REPORT_PAIR                 454
#define IDS_REPORT_VALUE_AT             455
#define IDS_REPORT_MINUTES_PERCENT      456
#define IDS_REPORT_EVENTS_PER_HOUR      457
#define IDS_REPORT_MEAN_RANGE           458
#define IDS_REPORT_NO_VALUE             459
#define IDS_REPORT_EPISODE_LINE         460
#define IDS_REPORT_MORE_EPISODES        461
#define IDS_REPORT_NO_EPISODES          462
#define IDS_REPORT_NO_VALID_SPO2        463
#define IDS_REPORT_NO_RECORDS           464
#define IDS_REPORT_SPO2_CHART           465
#define IDS_REPORT_PULSE_CHART          466
#define IDS_REPORT_NIBP_CHART           467
#define IDS_REPORT_SYSTOLIC_LEGEND      468
#define IDS_REPORT_DIASTOLIC_LEGEND     469
#define IDS_REPORT_DAY_HEADING          470
#define IDS_REPORT_PRINTED              471
#define IDS_REPORT_PAGE_OF              472
// The archive: its view, a download's journal, the erase's confirmation
#define IDS_COL_DOWNLOAD_TIME           480
#define IDS_COL_COMPUTER                481
#define IDS_COL_RESULT                  482
#define IDS_COL_PERSONS                 483
#define IDS_COL_MONITORING_RECORDS      484
#define IDS_COL_WARD_ROUND_RECORDS      485
#define IDS_COL_FIRST_TIME              486
#define IDS_COL_LAST_TIME               487
#define IDS_COL_DOWNLOADS               488
#define IDS_RESULT_COMPLETE             489
#define IDS_RESULT_STOPPED              490
#define IDS_RESULT_FAILED               491
#define IDS_RESULT_INTERRUPTED          492
#define IDS_RESULT_RUNNING              493
#define IDS_ARCHIVE_WRITE_FAILED        494   // %s: the folder or file and the system's reason
#define IDS_ARCHIVE_WRITE_FAILED_SHORT  495   // status bar
#define IDS_ARCHIVE_FOLDER              496   // %s: the archive's folder; %d downloads
#define IDS_ARCHIVE_UNREADABLE          497   // %s
#define IDS_ARCHIVE_DELETE_QUESTION     498   // %s: the download's time
#define IDS_ARCHIVE_DELETE_FAILED       499   // %s
#define IDS_ARCHIVE_PERSONS_OF_DOWNLOAD 500   // %s: the download's time
#define IDS_ARCHIVE_SEARCH_RESULTS      501   // %d persons
#define IDS_ARCHIVE_NOTHING_FOUND       502   // %s: the typed text
#define IDS_ERASE_NOT_ARCHIVED          503
#define IDS_ERASE_ARCHIVED              504   // %s: the downloads that hold them
#define IDS_ERASE_EMPTY                 505
#define IDS_ERASE_QUESTION              506   // %s: the stores
#define IDS_ERASE_MONITORING            507   // %d records
#define IDS_ERASE_WARD_ROUND            508   // %d records
#define IDS_ERASE_AND                   509
#define IDS_ARCHIVE_DELETE_BUSY         510
#define IDS_ARCHIVE_OPEN_FAILED         511   // %s

#endif
