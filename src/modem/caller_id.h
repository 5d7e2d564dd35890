#pragma once
// Caller ID: a modem that has it switched on reports the calling party between the first and the
// second ring, one reply line per field: "DATE = 1209", "TIME = 1030", "NMBR = 5551234",
// "NAME = ANNA SMITH", "MESG = ...". Some modems put blanks around the "=", some do not. A
// number or name of "P" means a private one and "O" one out of the area; both stay as they are.
#include <string>
#include <string_view>
#include <vector>

struct CallerIdField {
  std::string key;  // DATE, TIME, NMBR, NAME or MESG
  std::string value;
};

class CallerIdReport {
 public:
  // Takes one reply line; a line that is no field of the report is left out. A field that comes
  // again replaces its value in place.
  void Take(std::string_view line);

  bool Empty() const { return fields_.empty(); }
  // One "KEY=value" line per field, in the order they came, each ended by CR LF.
  std::string FileText() const;
  // The fields as "KEY=value", joined by blanks.
  std::string ConsoleText() const;

 private:
  std::vector<CallerIdField> fields_;
};
