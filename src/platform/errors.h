#pragma once
// The one error type of Reelvane: an exception with the message the user sees.
// Handlers let it pass; the window's general error handler and the command-line
// carver show its message.

#include <stdexcept>
#include <string>

namespace reelvane {

class Error : public std::runtime_error {
public:
    explicit Error(const std::string& message) : std::runtime_error(message) {}
};

// "Cannot open file "%s". %s" — a device or file that could not be opened for reading.
std::string CannotOpenMessage(const std::string& path, const std::string& systemText);
// "Cannot create file "%s". %s" — an output file that could not be created.
std::string CannotCreateMessage(const std::string& path, const std::string& systemText);
// "Cannot write file "%s". %s" — an output file that could not be written completely.
std::string CannotWriteMessage(const std::string& path, const std::string& systemText);

}  // namespace reelvane
