#pragma once
// FTP client component: connect (logging in), fetch files, disconnect. Runs synchronously on the
// calling thread; every failure raises an EIdException with a message naming host, file and the
// server's answer.
#include <cstdint>
#include <memory>

#include "rtl/SysUtils.h"

class EIdException : public Exception {
public:
    using Exception::Exception;
};
// The connection could not be made, broke or timed out.
class EIdSocketError : public EIdException {
public:
    using EIdException::EIdException;
};
// The server refused a command (login, missing file, ...). ErrorCode is its reply code when known.
class EIdReplyRFCError : public EIdException {
public:
    EIdReplyRFCError(String msg, int errorCode) : EIdException(std::move(msg)), ErrorCode(errorCode) {}
    int ErrorCode;
};
// Get without overwrite onto an existing local file.
class EIdFTPFileAlreadyExists : public EIdException {
public:
    using EIdException::EIdException;
};
// Get or similar without a connection.
class EIdNotConnected : public EIdException {
public:
    using EIdException::EIdException;
};

enum TIdFTPTransferType { ftBinary, ftASCII };

class TIdFTP : public TObject {
public:
    TIdFTP();
    ~TIdFTP() override;  // disconnects
    TIdFTP(const TIdFTP&) = delete;
    TIdFTP& operator=(const TIdFTP&) = delete;

    // Read by Connect; changing them later affects the next Connect.
    String Host;
    int Port = 21;
    String Username;
    String Password;
    int ConnectTimeout = 15000;  // ms, for the control and (active mode) data connections
    int ReadTimeout = 60000;  // ms without a server answer or without data before giving up
    // Read by each Get.
    bool Passive = false;  // false: active transfers (the server connects back)
    TIdFTPTransferType TransferType = ftBinary;  // ftASCII: text lines arrive with local line ends

    // Connects and logs in. Raises EIdSocketError or EIdReplyRFCError (530 for a refused login).
    // Connecting while connected first disconnects.
    void Connect();
    bool Connected() const;
    // Fetches ASourceFile (relative to the login folder, "/" separates folders) into ADestFile.
    // The local file is replaced atomically only after the whole transfer succeeded, so a failed
    // transfer leaves an existing file as it was. Without ACanOverwrite an existing local file
    // raises EIdFTPFileAlreadyExists. Resuming is not supported (AResume must be false).
    void Get(const String& ASourceFile, const String& ADestFile, bool ACanOverwrite = false,
             bool AResume = false);
    // The same into memory, so the caller can check the bytes before they replace anything.
    void Get(const String& ASourceFile, String& ADest, bool AResume = false);
    // The size of a remote file in bytes as the server stores it (asked in binary type); -1 when
    // the server does not tell (no such file, or no SIZE command). A broken connection raises
    // EIdSocketError. In ASCII type the bytes a Get delivers may differ by the line ends.
    std::int64_t Size(const String& AFileName);
    void Disconnect();  // logs out; nothing happens when not connected

private:
    struct Impl;
    std::unique_ptr<Impl> d;
};
