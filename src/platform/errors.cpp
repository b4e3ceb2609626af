#include "platform/errors.h"

namespace reelvane {

std::string CannotOpenMessage(const std::string& path, const std::string& systemText)
{
    return "Cannot open file \"" + path + "\". " + systemText;
}

std::string CannotCreateMessage(const std::string& path, const std::string& systemText)
{
    return "Cannot create file \"" + path + "\". " + systemText;
}

std::string CannotWriteMessage(const std::string& path, const std::string& systemText)
{
    return "Cannot write file \"" + path + "\". " + systemText;
}

}  // namespace reelvane
