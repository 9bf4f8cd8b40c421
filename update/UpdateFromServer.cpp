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
#include "update/MenuSignature.h"
#include "update/ProgressDlg.h"
#include "update/PublisherKey.h"
#include "update/ServerFileRules.h"

namespace {

constexpr std::size_t kLargestBody = 65536;
// A signature is one line of about 90 bytes; nothing longer is one.
constexpr std::size_t kLargestSignatureFile = 1024;

enum Result {
    kNewMenu = 0,
    kSameMenu = 1,
    kNewFormat = 2,
    kNoConnection = 3,
    kTooLittleData = 4,
    kNotSigned = 5
};

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
    case kNotSigned:
        messages.ShowMessage(IDS_NOT_SIGNED, MessageService::kIconStop);
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

// The publisher's signature of the menu file sits beside it, at its address
// with ".sig" appended, and is asked for in the same session.
bool IsSignedByPublisher(HttpSession& session, const std::string& address,
                         const PublisherKey& publisher, const std::string& body) {
    if (!publisher.key)
        return false;
    const std::unique_ptr<HttpRequest> request = session.OpenUrl(address + ".sig", {});
    std::string line, error;
    if (request == nullptr || !IsSuccessStatus(request->StatusCode()) ||
        request->ReadBody(kLargestSignatureFile, line, error) != HttpRequest::BodyRead::Complete)
        return false;
    const std::optional<MenuSignature> signature = ReadSignatureLine(line);
    return signature && Use<SignatureService>().Verify(*publisher.key, *signature, body);
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
            ServerFileRules rules;
            rules.conditional = NamesAnEdition(held);
            rules.menuHeld = bMenuHeld;
            if (const std::optional<PublisherKey> publisher = ConfiguredPublisherKey())
                rules.signedByPublisher = [&session, this, publisher](const std::string& body) {
                    return IsSignedByPublisher(*session, m_strSource, *publisher, body);
                };
            internetOk =
                ReadServerFile(wCurrentNumber, std::move(request), rules, progress, result, error);
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
                               const ServerFileRules& rules, CProgressDlg& progress, int& nResult,
                               std::string& strError) {
    progress.NextStep(); // connected
    const int status = pRequest->StatusCode();
    // An error page is not a menu, however long it is.
    const bool success = IsSuccessStatus(status);
    const bool unchanged = rules.conditional && status == kNotModified;
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
    // A menu its publisher did not sign is not read at all; "not modified"
    // installs nothing, and needs no signature.
    const bool refused = success && rules.signedByPublisher && !rules.signedByPublisher(body);
    progress.NextStep(); // connection closed
    nResult = unchanged ? kSameMenu
              : refused ? kNotSigned
              : success ? ParseDownloadedText(*this, wCurrentNumber, body)
                        : kTooLittleData;
    // A signed file replayed from an older edition cannot roll the menu back.
    if (nResult == kNewMenu && rules.signedByPublisher && rules.menuHeld &&
        !IsNewerMenuNumber(m_wMenuNumber, wCurrentNumber))
        nResult = kSameMenu;
    // The held menu is the server's edition: the next check can name it.
    if (success && nResult == kSameMenu)
        g_settings.StoreValidators(m_strSource, m_validators);
    if (nResult <= kSameMenu)
        progress.NextStep(); // menu built
    return true;
}
