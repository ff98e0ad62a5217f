#include "options.h"

#include "icu_conversion.h"

#ifndef ULMAR_VERSION
#define ULMAR_VERSION "unknown"
#endif

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

bool readCommonOption(const std::vector<std::string>& arguments, size_t& i, const Program& program,
                      std::string& encoding, std::optional<int>& ended, std::ostream& out, std::ostream& err) {
  const std::string& argument = arguments[i];
  std::string value;
  if (readValueOption(arguments, i, "--encoding", value)) {
    if (!knownEncoding(value)) ended = usageError(err, program, "unknown encoding '" + value + "'");
    encoding = value;
  } else if (argument == "--encoding") {
    ended = usageError(err, program, "option '--encoding' needs a value");
  } else if (argument == "--help") {
    out << program.usageLine << program.help;
    ended = kExitSame;
  } else if (argument == "--version") {
    out << program.name << " (Ulmar) " << ULMAR_VERSION << '\n';
    ended = kExitSame;
  } else {
    return false;
  }
  return true;
}

bool knownEncoding(const std::string& name) { return Converter(name).get() != nullptr; }

}  // namespace ulmar
