// Chinese texts of the dialog templates and of the context menu (UTF-8).
#define FORM_FONT               FONT 10, "宋体", 0, 0, 0x86

#define TXT_ABOUT_CAPTION       "关于Pulsora Pro"
#define TXT_MAKER_NOTICE        MAKER_NOTICE_ZH
#define TXT_VERSION             "版本 " WD_VERSION_TEXT
#define TXT_RELEASE_DATE        "2019年6月24日"
#define TXT_OK                  "确定"

#define HOME_BUTTON_WIDTH       98
#define TXT_GET_MONITORING      "获取监护数据"
#define TXT_GET_CHECK           "获取查房数据"
#define TXT_VIEW_DATA           "查看已有数据"
#define TXT_SETTINGS            "设置"
#define TXT_ABOUT               "关于"
#define TXT_EXIT                "退出"

#define TXT_PATIENT_GROUP       "病人信息"
#define TXT_NAME_LABEL          "姓名:"
#define TXT_SEX_LABEL           "性别:"
#define TXT_AGE_LABEL           "年龄:"
#define TXT_ID_LABEL            "ID:"
#define TXT_HEIGHT_LABEL        "身高:"
#define TXT_WEIGHT_LABEL        "体重:"
#define TXT_ADVICE_LABEL        "医嘱:"
#define TXT_HEIGHT_UNIT         "CM"
#define TXT_WEIGHT_UNIT         "KG"
#define TXT_SAVE                "保存"
#define TXT_DELETE              "删除"
#define TXT_START_DATE_LABEL    "开始日期:"
#define TXT_START_TIME_LABEL    "开始时间:"
#define TXT_END_DATE_LABEL      "结束日期:"
#define TXT_END_TIME_LABEL      "结束时间:"
#define TXT_UNITS               "显示单位:   血压 mmHg        体温 ℃      呼末CO2 mmHg"
#define TXT_EXPORT              "导出"
#define TXT_SHOW_TREND          "趋势图"
#define TXT_SHOW_TABLE          "数据表"
#define TXT_SHOW_REPORT        "报告"
#define TXT_EXPORT_CSV         "导出CSV"
#define TXT_PRINT              "打印"
#define TXT_PREVIOUS_PAGE      "上一页"
#define TXT_NEXT_PAGE          "下一页"

#define TXT_HOME_ARCHIVE        "档案"
#define TXT_ARCHIVE_OPEN        "打开"
#define TXT_ARCHIVE_DELETE      "删除"
#define TXT_ARCHIVE_SEARCH      "查找病人 (ID 或姓名):"
#define TXT_ARCHIVE_FIND        "查找"
#define TXT_ARCHIVE_OPEN_HISTORY "打开历史"

#define TXT_EDIT_MENU           "编辑"
#define TXT_EDIT_CUT            "剪切(&T)\tCtrl+X"
#define TXT_EDIT_COPY           "复制(&C)\tCtrl+C"
#define TXT_EDIT_PASTE          "粘贴(&P)\tCtrl+V"
