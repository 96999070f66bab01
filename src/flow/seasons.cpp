#include "flow/seasons.h"

namespace flow {

void seasonTimer_Timer(game::Module1& m) {
  m.season += 1;
  m.seasonChanged = game::kSet;
  if (m.season > 3) m.season = 0;
  m.form1.imgSeason.SetPicture(m.form1.imgSeasonType[m.season].picture());
}

}  // namespace flow
