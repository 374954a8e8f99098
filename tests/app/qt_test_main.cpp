// Runs GoogleTest inside a QApplication on the offscreen platform, so widgets are real but
// need no display.
#include <gtest/gtest.h>

#include <QApplication>

namespace {

// A test can end while Qt still holds events it posted (a queued answer, a deleteLater);
// delivering them here keeps one test's leftovers out of the next and out of the leak check.
void DeliverPostedEvents() {
  QCoreApplication::sendPostedEvents();
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

class PostedEventFlusher : public ::testing::EmptyTestEventListener {
  void OnTestEnd(const ::testing::TestInfo&) override { DeliverPostedEvents(); }
};

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication application(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  ::testing::UnitTest::GetInstance()->listeners().Append(new PostedEventFlusher);
  const int result = RUN_ALL_TESTS();
  DeliverPostedEvents();
  return result;
}
