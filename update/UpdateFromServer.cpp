// Downloading a new menu from the server.
#include "menu/DownloadedText.h"
#include "menu/MenuData.h"
#include "platform/HttpService.h"
#include "platform/MessageService.h"
#include "platform/ProgramService.h"
#include "platform/Services.h"
#include "res/resource.h"
#include "settings/Settings.h"
#include "update/MenuAddress.h"
#include "update/ProgressDlg.h"

namespace {

constexpr std::size_t kLargestBody = 65536;

enum Result { kNewMenu = 0, kSameMenu = 1, kNewFormat = 2, kNoConnection = 3, kTooLittleData = 4 };

void ShowOutcome(int result) {
    MessageService& messages = Use<MessageService>();
    switch (result) {
    case kNewMenu:
        messages.ShowMessage(IDS_NEW_MENU_LOADED, MessageService::kIconInformation);
        break;
    case kSameMenu:
        messages.ShowMessage(IDS_NO_NEW_MENU, MessageService::kIconInformation);
        break;
    case kNewFormat:
        messages.ShowMessage(IDS_NEW_FORMAT, MessageService::kIconStop);
        break;
    case kNoConnection:
        messages.ShowMessage(IDS_NO_CONNECTION, MessageService::kIconStop);
        break;
    default:
        messages.ShowMessage(IDS_READ_FAILED, MessageService::kIconStop);
        break;
    }
}

void ShowInternetError(const std::string& errorText) {
    MessageService& messages = Use<MessageService>();
    if (errorText.empty())
        messages.ShowMessage(IDS_COMMAND_FAILED, MessageService::kIconStop);
    else
        messages.ShowText(errorText, MessageService::kIconStop);
}

constexpr int kNotModified = 304;

bool IsSuccessStatus(int status) {
    return status >= 200 && status <= 299;
}

bool NamesAnEdition(const HttpValidators& validators) {
    return !validators.etag.empty() || !validators.lastModified.empty();
}

} // namespace

bool CMenuData::UpdateFromServer(std::uint16_t wCurrentNumber, bool bMenuHeld) {
    int result = kNoConnection;
    std::string error;
    bool internetOk = true;
    m_strSource = MenuAddress();
    // Validators of another address name an edition of another file.
    const HttpValidators held =
        bMenuHeld ? g_settings.StoredValidatorsFor(m_strSource) : HttpValidators{};
    {
        CProgressDlg progress;
        const std::string agent = Use<ProgramService>().ProgramName();
        std::unique_ptr<HttpSession> session = Use<HttpService>().OpenSession(agent, error);
        if (session == nullptr) {
            internetOk = false;
        } else if (std::unique_ptr<HttpRequest> request = session->OpenUrl(m_strSource, held)) {
            internetOk = ReadServerFile(wCurrentNumber, std::move(request), NamesAnEdition(held),
                                        progress, result, error);
        }
    }
    if (!internetOk) {
        ShowInternetError(error);
        return false;
    }
    if (result == kNewMenu || result == kSameMenu || result == kNewFormat)
        g_settings.RecordQueryTime();
    ShowOutcome(result);
    return result == kNewMenu;
}

bool CMenuData::ReadServerFile(std::uint16_t wCurrentNumber, std::unique_ptr<HttpRequest> pRequest,
                               bool bConditional, CProgressDlg& progress, int& nResult,
                               std::string& strError) {
    progress.NextStep(); // connected
    const int status = pRequest->StatusCode();
    // An error page is not a menu, however long it is.
    const bool success = IsSuccessStatus(status);
    const bool unchanged = bConditional && status == kNotModified;
    m_validators = success ? pRequest->Validators() : HttpValidators{};
    std::string body;
    const HttpRequest::BodyRead read = success ? pRequest->ReadBody(kLargestBody, body, strError)
                                               : HttpRequest::BodyRead::Complete;
    if (read == HttpRequest::BodyRead::Failed)
        return false;
    // A server that stops sending is one that cannot be reached, wherever it stops.
    if (read == HttpRequest::BodyRead::TimedOut) {
        nResult = kNoConnection;
        return true;
    }
    progress.NextStep(); // data read
    pRequest.reset();
    progress.NextStep(); // connection closed
    nResult = unchanged ? kSameMenu
              : success ? ParseDownloadedText(*this, wCurrentNumber, body)
                        : kTooLittleData;
    // The held menu is the server's edition: the next check can name it.
    if (success && nResult == kSameMenu)
        g_settings.StoreValidators(m_strSource, m_validators);
    if (nResult <= kSameMenu)
        progress.NextStep(); // menu built
    return true;
}
