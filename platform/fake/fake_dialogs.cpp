#include "platform/fake/fake_platform.h"

namespace platform {

namespace {

template <class T>
std::optional<T> NextAnswer(std::deque<std::optional<T>>& answers) {
  if (answers.empty()) return std::nullopt;
  auto answer = answers.front();
  answers.pop_front();
  return answer;
}

}  // namespace

std::optional<std::string> FakeCommonDialogs::OpenFile(const OpenFileOptions& options) {
  fileCalls.push_back({false, options});
  return NextAnswer(fileAnswers);
}

std::optional<std::string> FakeCommonDialogs::SaveFile(const OpenFileOptions& options) {
  fileCalls.push_back({false, options, true});
  return NextAnswer(fileAnswers);
}

std::optional<std::string> FakeCommonDialogs::OpenPicture(const OpenFileOptions& options) {
  OpenFileOptions shown = options;
  if (shown.filters.empty()) shown.filters = StandardPictureFilters();
  fileCalls.push_back({true, shown});
  return NextAnswer(fileAnswers);
}

std::optional<TColor> FakeCommonDialogs::ChooseColor(TColor start) {
  colorStarts.push_back(start);
  return NextAnswer(colorAnswers);
}

RegistryResult FakeAutostartRegistry::Read(RunKeyScope scope, const std::string& name, std::string& value) {
  RegistryResult result = RegistryResult::kOk;
  auto it = values.find({scope, name});
  if (missingKeys.count(scope))
    result = RegistryResult::kKeyMissing;
  else if (it == values.end())
    result = RegistryResult::kValueMissing;
  else
    value = it->second;
  calls.push_back({'r', scope, name, result == RegistryResult::kOk ? value : std::string(), result});
  return result;
}

RegistryResult FakeAutostartRegistry::Write(RunKeyScope scope, const std::string& name, const std::string& value) {
  RegistryResult result = RegistryResult::kOk;
  if (missingKeys.count(scope))
    result = RegistryResult::kKeyMissing;
  else if (readOnly.count(scope))
    result = RegistryResult::kAccessDenied;
  else
    values[{scope, name}] = value;
  calls.push_back({'w', scope, name, value, result});
  return result;
}

RegistryResult FakeAutostartRegistry::Delete(RunKeyScope scope, const std::string& name) {
  RegistryResult result = RegistryResult::kOk;
  if (missingKeys.count(scope))
    result = RegistryResult::kKeyMissing;
  else if (readOnly.count(scope))
    result = RegistryResult::kAccessDenied;
  else if (!values.erase({scope, name}))
    result = RegistryResult::kValueMissing;
  calls.push_back({'d', scope, name, {}, result});
  return result;
}

}  // namespace platform
