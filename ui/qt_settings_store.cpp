#include "ui/qt_settings_store.h"

#include <QSettings>
#include <QString>

namespace kestro {
namespace {

QString FromUtf8(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// The application names the folder, the section the file and the group inside it. The native
// format is an INI file named ".conf" on Linux and the user's registry hive on Windows.
QSettings Open(std::string_view application, std::string_view section) {
  return QSettings(QSettings::NativeFormat, QSettings::UserScope, FromUtf8(application),
                   FromUtf8(section));
}

QString KeyOf(std::string_view section, std::string_view key) {
  return FromUtf8(section) + QLatin1Char('/') + FromUtf8(key);
}

}  // namespace

std::string QtSettingsStore::Get(std::string_view application, std::string_view section,
                                 std::string_view key, std::string_view default_value) {
  QSettings settings = Open(application, section);
  const QVariant value = settings.value(KeyOf(section, key));
  if (!value.isValid()) return std::string(default_value);
  return value.toString().toStdString();
}

void QtSettingsStore::Set(std::string_view application, std::string_view section,
                          std::string_view key, std::string_view value) {
  QSettings settings = Open(application, section);
  settings.setValue(KeyOf(section, key), FromUtf8(value));
  settings.sync();
}

}  // namespace kestro
