#pragma once
// Commands with their enable/check rule beside their action, one table per command target:
//
//   static const fw::CommandTable<MainFrame> table{
//       {220, &MainFrame::OnStartComm, &MainFrame::CanStartComm},
//       {32822, &MainFrame::OnToggleClearMonitoring, &MainFrame::CanClearDevice,
//        &MainFrame::IsClearMonitoringChosen},
//       fw::CommandEntry<MainFrame>::Range(210, 218, &MainFrame::OnLook, &MainFrame::LookState),
//   };
#include <windows.h>

#include <algorithm>
#include <initializer_list>
#include <optional>
#include <vector>

namespace fw {

struct CommandState {
  bool enabled = false;
  bool checked = false;
  bool radio = false;  // checked as one of a group (a bullet rather than a tick)

  friend bool operator==(const CommandState&, const CommandState&) = default;
};

template <class T>
struct CommandEntry {
  using Action = void (T::*)();
  using RangeAction = void (T::*)(UINT id);
  using Rule = bool (T::*)() const;
  using RangeRule = CommandState (T::*)(UINT id) const;

  // Always enabled unless an enable rule is given; checked only when a check rule is given.
  CommandEntry(UINT commandId, Action run, Rule enabledWhen = nullptr, Rule checkedWhen = nullptr)
      : first(commandId),
        last(commandId),
        action(run),
        enabled(enabledWhen),
        checked(checkedWhen) {}

  // A block of ids sharing one action and one state rule, both told the id.
  static CommandEntry Range(UINT firstId, UINT lastId, RangeAction run, RangeRule stateOf) {
    CommandEntry entry(firstId, nullptr);
    entry.last = lastId;
    entry.rangeAction = run;
    entry.rangeState = stateOf;
    return entry;
  }

  bool Covers(UINT id) const noexcept { return id >= first && id <= last; }

  CommandState StateFor(const T& target, UINT id) const {
    if (rangeState != nullptr) return (target.*rangeState)(id);
    CommandState state;
    state.enabled = enabled == nullptr || (target.*enabled)();
    state.checked = checked != nullptr && (target.*checked)();
    return state;
  }

  void Run(T& target, UINT id) const {
    if (rangeAction != nullptr)
      (target.*rangeAction)(id);
    else if (action != nullptr)
      (target.*action)();
  }

  UINT first;
  UINT last;
  Action action = nullptr;
  RangeAction rangeAction = nullptr;
  Rule enabled = nullptr;
  Rule checked = nullptr;
  RangeRule rangeState = nullptr;
};

template <class T>
class CommandTable {
 public:
  CommandTable(std::initializer_list<CommandEntry<T>> entries) : entries_(entries) {}

  // The state of `id`, or nothing when this table does not have the command.
  std::optional<CommandState> Query(const T& target, UINT id) const {
    const CommandEntry<T>* entry = Find(id);
    if (entry == nullptr) return std::nullopt;
    return entry->StateFor(target, id);
  }

  // True when the table has the command. A disabled command is the table's all the same, but
  // its action does not run: a stale click or a posted command cannot bypass the rule.
  bool Execute(T& target, UINT id) const {
    const CommandEntry<T>* entry = Find(id);
    if (entry == nullptr) return false;
    if (entry->StateFor(target, id).enabled) entry->Run(target, id);
    return true;
  }

 private:
  const CommandEntry<T>* Find(UINT id) const {
    auto it = std::find_if(entries_.begin(), entries_.end(),
                           [id](const CommandEntry<T>& entry) { return entry.Covers(id); });
    return it == entries_.end() ? nullptr : &*it;
  }

  std::vector<CommandEntry<T>> entries_;
};

}  // namespace fw
