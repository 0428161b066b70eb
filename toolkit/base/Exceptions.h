#pragma once
// The error classes that failures travel in. Every handler catches Exception and uses only Message().

#include <cstdint>
#include <exception>
#include <string>

class Exception : public std::exception {
public:
  explicit Exception(std::string message) : message_(std::move(message)) {}
  const std::string &Message() const { return message_; }
  const char *what() const noexcept override { return message_.c_str(); }

private:
  std::string message_;
};

// A file or folder operation failed with a system error code.
class EInOutError : public Exception {
public:
  explicit EInOutError(int errorCode);
  int ErrorCode() const { return errorCode_; }
  static std::string TextForCode(int errorCode);

private:
  int errorCode_;
};

class EStreamError : public Exception {
  using Exception::Exception;
};

// "Cannot create file "<path>". <system text>"
class EFCreateError : public EStreamError {
public:
  EFCreateError(const std::string &path, const std::string &systemText);
};

// "Cannot open file "<path>". <system text>"
class EFOpenError : public EStreamError {
public:
  EFOpenError(const std::string &path, const std::string &systemText)
      : EStreamError("Cannot open file \"" + path + "\". " + systemText) {}
};

class EReadError : public EStreamError {
public:
  EReadError() : EStreamError("Stream read error") {}
};

class EWriteError : public EStreamError {
public:
  EWriteError() : EStreamError("Stream write error") {}
};

class EResNotFound : public Exception {
public:
  explicit EResNotFound(const std::string &name) : Exception("Resource " + name + " not found") {}
};

// A COM call failed; the text is the system's message for the code, or "OLE error %.8x".
class EOleSysError : public Exception {
public:
  EOleSysError(uint32_t resultCode, const std::string &systemText);
  uint32_t ResultCode() const { return resultCode_; }

private:
  uint32_t resultCode_;
};

class EIntfCastError : public Exception {
public:
  EIntfCastError() : Exception("Interface not supported") {}
};

class EConvertError : public Exception {
  using Exception::Exception;
};

class EOutOfMemory : public Exception {
public:
  EOutOfMemory() : Exception("Out of memory") {}
};
