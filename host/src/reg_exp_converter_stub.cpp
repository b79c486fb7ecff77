// Stand-in until the substitution engine lands: every text stays unchanged.
#include "reg_exp_converter.h"
int RegExpConverter::ConvertText(const std::string& text, const std::vector<std::string>&,
                                 const std::vector<std::string>&, std::string& out,
                                 const std::string&, std::string&) {
  out = text;
  return 0;
}
