#include "options.h"

#include "icu_conversion.h"

namespace ulmar {

bool readValueOption(const std::vector<std::string>& arguments, size_t& i, std::string_view name, std::string& value) {
  const std::string& argument = arguments[i];
  if (argument.size() > name.size() && argument.starts_with(name) && argument[name.size()] == '=') {
    value = argument.substr(name.size() + 1);
    return true;
  }
  if (argument == name && i + 1 < arguments.size()) {
    value = arguments[++i];
    return true;
  }
  return false;
}

bool knownEncoding(const std::string& name) { return Converter(name).get() != nullptr; }

}  // namespace ulmar
