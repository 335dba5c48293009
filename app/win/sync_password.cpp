#include "app/win/sync_password.h"

#include <windows.h>

#include <wincred.h>

#include <memory>

#include "base/win/gbk_text.h"
#include "base/win/version_info.h"

namespace {

struct FreeCredential {
    void operator()(PCREDENTIALW credential) const { CredFree(credential); }
};

std::wstring TargetName(const std::string& server) { return ProductName() + L" CalDAV " + WideFromGbk(server); }

}  // namespace

std::string ReadSyncPassword(const std::string& server, const std::string& userGbk) {
    PCREDENTIALW found = nullptr;
    if (!CredReadW(TargetName(server).c_str(), CRED_TYPE_GENERIC, 0, &found)) return std::string();
    const std::unique_ptr<CREDENTIALW, FreeCredential> credential(found);
    // Kept for another user of that server: not this one's.
    if (!credential->UserName || WideFromGbk(userGbk) != credential->UserName) return std::string();
    return std::string(reinterpret_cast<const char*>(credential->CredentialBlob), credential->CredentialBlobSize);
}

bool KeepSyncPassword(const std::string& server, const std::string& userGbk, const std::string& passwordUtf8) {
    const std::wstring target = TargetName(server);
    if (passwordUtf8.empty())
        return CredDeleteW(target.c_str(), CRED_TYPE_GENERIC, 0) || GetLastError() == ERROR_NOT_FOUND;
    std::wstring user = WideFromGbk(userGbk);
    std::string blob = passwordUtf8;
    CREDENTIALW credential{};
    credential.Type = CRED_TYPE_GENERIC;
    credential.TargetName = const_cast<wchar_t*>(target.c_str());
    credential.UserName = user.data();
    credential.CredentialBlob = reinterpret_cast<BYTE*>(blob.data());
    credential.CredentialBlobSize = static_cast<DWORD>(blob.size());
    credential.Persist = CRED_PERSIST_LOCAL_MACHINE;
    return CredWriteW(&credential, 0) != FALSE;
}
