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

int usageError(std::ostream& err, const Program& program, std::string_view problem) {
  err << program.name << ": " << problem << '\n'
      << program.usageLine << "Try '" << program.name << " --help' for more information.\n";
  return kExitTrouble;
}

int trouble(std::ostream& err, const Program& program, std::string_view problem) {
  err << program.name << ": " << problem << '\n';
  return kExitTrouble;
}

bool knownEncoding(const std::string& name) { return Converter(name).get() != nullptr; }

}  // namespace ulmar
