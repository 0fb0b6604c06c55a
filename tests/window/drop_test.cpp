// Files dragged from a file manager onto the window and its path boxes.
#include <QApplication>
#include <QDir>
#include <QDragEnterEvent>
#include <QFile>
#include <QMimeData>
#include <QTemporaryDir>
#include <QUrl>

#include "window_fixture.h"

namespace kalvor::test {
namespace {

class DropTest : public WindowTest {
 protected:
  QString file(const QString& name) const {
    const QString path = folder_.filePath(name);
    QFile created(path);
    EXPECT_TRUE(created.open(QIODevice::WriteOnly));
    return path;
  }
  static std::unique_ptr<QMimeData> links(const QList<QUrl>& urls) {
    auto data = std::make_unique<QMimeData>();
    data->setUrls(urls);
    return data;
  }
  static std::unique_ptr<QMimeData> local_file(const QString& path) {
    return links({QUrl::fromLocalFile(path)});
  }
  static std::unique_ptr<QMimeData> text(const QString& text) {
    auto data = std::make_unique<QMimeData>();
    data->setText(text);
    return data;
  }

  // Drags `data` over `target` and drops it there; answers whether the drop
  // was taken.
  static bool drop(QWidget* target, const QMimeData& data) {
    const QPoint at = target->rect().center();
    QDragEnterEvent enter(at, Qt::CopyAction | Qt::LinkAction, &data, Qt::LeftButton,
                          Qt::NoModifier);
    QApplication::sendEvent(target, &enter);
    if (!enter.isAccepted()) return false;
    QDropEvent dropped(QPointF(at), Qt::CopyAction | Qt::LinkAction, &data, Qt::LeftButton,
                       Qt::NoModifier);
    QApplication::sendEvent(target, &dropped);
    return dropped.isAccepted();
  }

  QTemporaryDir folder_;
};

TEST_F(DropTest, AFileDroppedOnAPathBoxReplacesItsTextByItsNativePath) {
  const QString model = file("model.dat");
  type(control::InputPath, "/somewhere/else.dat");
  EXPECT_TRUE(drop(box(control::InputPath), *local_file(model)));
  EXPECT_EQ(shown(control::InputPath), QDir::toNativeSeparators(model));

  type(control::OutputPath, "/reports/old.txt");
  EXPECT_TRUE(drop(box(control::OutputPath), *text(QUrl::fromLocalFile(model).toString())))
      << "a file's address dragged as text";
  EXPECT_EQ(shown(control::OutputPath), QDir::toNativeSeparators(model));

  click(option_of("hfanoise"));
  click(control::LayoutBarrierSwitch);
  EXPECT_TRUE(drop(box(control::LayoutBarrierFile), *local_file(file("lay.txt"))));
  EXPECT_EQ(shown(control::LayoutBarrierFile), folder_.filePath("lay.txt"));
  EXPECT_EQ(shown(control::InputPath), QDir::toNativeSeparators(model)) << "only that box changed";
}

TEST_F(DropTest, AFileDroppedOnTheWindowBecomesTheInputAndItsNamePicksTheFormat) {
  const std::pair<const char*, const char*> files[] = {{"SHATIN.MAS", "roadnoise"},
                                                       {"model.xlsx", "tnia"},
                                                       {"STRA.001", "soundplan"},
                                                       {"model.xls", "tnia"}};
  for (auto [name, format] : files) {
    const QString path = file(QString::fromUtf8(name));
    EXPECT_TRUE(drop(window.get(), *local_file(path))) << name;
    EXPECT_EQ(shown(control::InputPath), path) << name;
    EXPECT_TRUE(window->option_selected(option_of(format))) << name;
  }
  const QString model = file("model.dat");
  EXPECT_TRUE(drop(box(control::Consultant), *local_file(model))) << "on a detail box";
  EXPECT_EQ(shown(control::InputPath), model);
  EXPECT_EQ(shown(control::Consultant), "");
  EXPECT_TRUE(window->option_selected(option_of("tnia"))) << "a .dat name tells no format";
}

TEST_F(DropTest, AnythingButOneLocalFileIsRefused) {
  type(control::InputPath, "kept.dat");
  const QString a = file("a.dat");
  const QString b = file("b.dat");
  const std::unique_ptr<QMimeData> refused[] = {
      links({QUrl::fromLocalFile(a), QUrl::fromLocalFile(b)}),
      local_file(folder_.path()),
      links({QUrl("https://example.com/model.dat")}),
      text("some text"),
  };
  for (const auto& data : refused) {
    EXPECT_FALSE(drop(window.get(), *data)) << data->text().toStdString();
    if (data->hasUrls()) {
      EXPECT_FALSE(drop(box(control::InputPath), *data));
    }
  }
  EXPECT_EQ(shown(control::InputPath), "kept.dat");

  window->set_window_enabled(false);
  EXPECT_FALSE(drop(window.get(), *local_file(a))) << "no drops while converting";
  EXPECT_FALSE(drop(box(control::InputPath), *local_file(a)));
  EXPECT_EQ(shown(control::InputPath), "kept.dat");
}

}  // namespace
}  // namespace kalvor::test
