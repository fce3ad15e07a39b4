#include <gtest/gtest.h>

#include "app/logic/view_history.h"

namespace wd {
namespace {

TEST(ViewHistory, BackTwiceThenANewViewDropsTheForwardEntries) {
  const PatientId person = PatientId::FromText("110105194912310021");
  ViewHistory history;
  history.Push({ViewCode::Home, nullptr});
  EXPECT_FALSE(history.CanGoBack());
  EXPECT_FALSE(history.CanGoForward());
  history.Push({ViewCode::MonitoringList, &person});
  history.Push({ViewCode::Trend, &person});

  EXPECT_EQ(history.Back(), (HistoryEntry{ViewCode::MonitoringList, &person}));
  EXPECT_EQ(history.Back(), (HistoryEntry{ViewCode::Home, nullptr}));
  EXPECT_FALSE(history.Back());
  EXPECT_TRUE(history.CanGoForward());

  history.Push({ViewCode::WardRoundList, nullptr});
  const std::vector<HistoryEntry> expected = {{ViewCode::Home, nullptr},
                                              {ViewCode::WardRoundList, nullptr}};
  EXPECT_EQ(history.entries(), expected);
  EXPECT_FALSE(history.CanGoForward());
  EXPECT_TRUE(history.CanGoBack());
  EXPECT_EQ(history.Current(), expected[1]);
}

TEST(ViewHistory, ForwardRestoresWhatBackLeft) {
  ViewHistory history;
  EXPECT_FALSE(history.Current());
  history.Push({ViewCode::Home, nullptr});
  history.Push({ViewCode::DataOverview, nullptr});
  history.Back();
  EXPECT_EQ(history.Forward(), (HistoryEntry{ViewCode::DataOverview, nullptr}));
  EXPECT_FALSE(history.Forward());
  EXPECT_EQ(history.index(), 1u);
  EXPECT_TRUE(IsViewCode(6));  // the report
  EXPECT_FALSE(IsViewCode(0));
  EXPECT_TRUE(IsViewCode(7));
  EXPECT_FALSE(IsViewCode(8));
}

}  // namespace
}  // namespace wd
