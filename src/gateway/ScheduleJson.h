#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "common/Status.h"
#include "live/Schedule.h"

// Schedule entries as JSON, for GET/PUT /api/v1/schedules and the state database: an
// array of {"id", "signs": [...], "tag", "days": "mon-fri", "from": "06:00", "to": "14:00",
// "priority", "message": {a message as posted, placeholders allowed}}. Unknown keys and
// bad values are BadInput naming the entry and the key; each entry is checked whole.
std::string SchedulesToJson(const std::vector<ScheduleEntry>& entries);
Status SchedulesFromJson(std::string_view json, std::vector<ScheduleEntry>& entries);
