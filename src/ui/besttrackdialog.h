#pragma once
// "Best Track": a city pair typed in, the tracks of its direction ranked by
// the whole distance flown, and the one chosen joined to the airports.
#include <QDialog>
#include <functional>
#include <string>

#include "app/citypair.h"

class QLabel;
class QLineEdit;
class QListWidget;

namespace korvant {

class BestTrackDialog : public QDialog {
  Q_OBJECT
 public:
  // The dialog's result when the connections drawn are to go.
  static constexpr int Cleared = 2;
  using Rank = std::function<CityPairTracks(const std::string& from, const std::string& to)>;
  BestTrackDialog(Rank ranker, const std::string& from, const std::string& to, QWidget* parent = nullptr);

  // Ranks the pair typed; the list is left empty, and the reason said, when it cannot.
  void rank();
  const CityPairTracks& ranking() const { return ranking_; }
  // The letter of the track chosen in the list, 0 when there is none.
  char chosenLetter() const;
  std::string from() const;
  std::string to() const;

 private:
  Rank rank_;
  CityPairTracks ranking_;
  QLineEdit* from_;
  QLineEdit* to_;
  QLabel* summary_;
  QListWidget* list_;
};

}  // namespace korvant
