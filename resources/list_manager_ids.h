// Controls that the festival manager (132) and the memo manager (141) share.
// 保存并关闭 is IDOK (1).
#pragma once

#define IDC_MANAGER_ADD 1015
#define IDC_MANAGER_EDIT 4
#define IDC_MANAGER_DELETE 3
#define IDC_MANAGER_LIST 1014
