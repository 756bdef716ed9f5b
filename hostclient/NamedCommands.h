// The three named commands the module offers the host's automation layer.
#pragma once

#include "hostclient/MsgIdMessageClassObject.h"

enum class NamedCommand { Analyze, CopyToDataPad, ClearAnalysis };

// The static message class object of a command; all three are on the message class list,
// "ZR_ClearAnalysis" first.
QOR::MsgIdMessageClassObject& NamedCommandClassObject(NamedCommand command) noexcept;
