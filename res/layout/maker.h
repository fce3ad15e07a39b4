// The maker's name and notice, shared by the version information and the About box.
#define MAKER_NAME              "Pulsora Medical"
#define MAKER_NOTICE_ZH         "版权所有 © 2019 Pulsora Medical"
#define MAKER_NOTICE_EN         "Copyright © 2019 Pulsora Medical"
