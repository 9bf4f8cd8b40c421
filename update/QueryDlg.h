#pragma once

#include "platform/DialogService.h"

#include <string>

// The question before a scheduled check: query the server now or postpone,
// with the time of the last query.
class CQueryDlg : public DialogHandler {
public:
    void OnInitDialog(DialogControls& controls) override;

    std::string m_strLastQuery;
};
