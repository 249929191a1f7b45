// The live list: the window follows ORCA's push notifications while it is open.
#include "druginfo/drug_info_logic.h"
#include "push/push_target.h"

// Push notifications go where the list's requests go. A link that stands for the same target is left
// alone (reconnecting would only read the list again); any other is started afresh, which also tries a
// link waiting for its next attempt at once.
void DrugInfoLogic::StartPush() {
  const PushTarget target = ReadPushTarget(client_.usesClassicForm());
  pushShown_ = connection_.configured() && target.enabled;
  if (!connection_.configured()) {
    push_.stop();
  } else if (target != pushTarget_ || push_.status().state != PushState::Connected) {
    push_.start(target);
  }
  pushTarget_ = target;
  ShowPushIndicator();
}

// A change pushed for the day shown, or a (re)connection after which the changes missed meanwhile are
// not replayed: the list is read again as a timer tick reads it, keeping the selection. A load under
// way may have read the list before the change, so the reload follows it instead of being dropped.
void DrugInfoLogic::PushReload() {
  if (!open_ || !connection_.configured()) return;
  if (listJob_.running()) {
    listAgain_ = true;
    return;
  }
  startListLoad(ListLoad::Refresh);
  ui_.ModelsChanged();
}

// Hidden with push notifications turned off (PUSH=0) or no server configured: the list then refreshes
// by its timer as it always has, and there is nothing to tell.
void DrugInfoLogic::ShowPushIndicator() {
  const PushIndicator& indicator = live_.indicator();
  controls_.LabelPush.text = indicator.text;
  controls_.LabelPush.toolTip = indicator.toolTip;
  controls_.LabelPush.visible = pushShown_;
}
