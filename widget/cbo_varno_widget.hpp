#pragma once
// CboVarnoWidget: the CboVarno control as an ordinary Qt widget. Construct it
// and it is ready: a newly placed control with its defaults, on the Qt
// platform, sharing one process-wide state with every other control of the
// application. Its 24 persisted properties are Qt properties under their own
// names, its events are Qt signals, and its settings go to QSettings or to a
// settings file under the same 24 names.
//
//   auto* city = new cbo::CboVarnoWidget(form);
//   city->setStileCbo(cbo::CboVarnoWidget::ListCombo);
//   city->control().AddField("Name", "City");
//   connect(city, &cbo::CboVarnoWidget::rowChosen, form, [](int listIndex) { ... });
#include <QColor>
#include <QFont>
#include <QModelIndex>
#include <QPointF>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <QWidget>
#include <memory>

#include "control/cbo_varno.hpp"
#include "control/enumerations.hpp"
#include "platform/error.hpp"  // cbo::Error, which the members raise

class QAbstractItemModel;
class QSettings;
class QSqlDatabase;
class QSqlQuery;

namespace cbo {

class CboVarnoWidget : public QWidget {
  Q_OBJECT

  // Font and Enabled are written through QWidget's own setFont and setEnabled
  // (the setters uic calls for them): the widget's font is the control's text
  // font, and disabling the widget disables the control.
  Q_PROPERTY(QFont Font READ controlFont WRITE setFont)
  Q_PROPERTY(TipoPulsante TipoPulsante READ tipoPulsante WRITE writeTipoPulsante)
  Q_PROPERTY(StileCbo StileCbo READ stileCbo WRITE writeStileCbo)
  Q_PROPERTY(QColor ForeColor READ foreColor WRITE writeForeColor RESET resetForeColor)
  Q_PROPERTY(QColor BackColor READ backColor WRITE writeBackColor RESET resetBackColor)
  Q_PROPERTY(ApparenceVrn Appearance READ appearance WRITE writeAppearance)
  Q_PROPERTY(BorderStyleVrn BorderStyle READ borderStyle WRITE writeBorderStyle)
  Q_PROPERTY(AgglignVrn Alignment READ alignment WRITE writeAlignment)
  Q_PROPERTY(Tipo_Separatore_Celle Separatore_Record READ separatore_Record WRITE writeSeparatore_Record)
  Q_PROPERTY(bool Record_Selector READ record_Selector WRITE writeRecord_Selector)
  Q_PROPERTY(QString Text_Column READ text_Column WRITE writeText_Column)
  Q_PROPERTY(QString Bound_Column READ bound_Column WRITE writeBound_Column)
  Q_PROPERTY(int Rows_Count READ rows_Count WRITE writeRows_Count)
  Q_PROPERTY(bool Visualizza_Fields READ visualizza_Fields WRITE writeVisualizza_Fields)
  Q_PROPERTY(QFont Font_Grid READ font_Grid WRITE writeFont_Grid)
  Q_PROPERTY(QString Value READ value WRITE writeValue)
  Q_PROPERTY(QString Text READ text WRITE writeText)
  Q_PROPERTY(int ListIndex READ listIndex WRITE writeListIndex)
  Q_PROPERTY(bool Griglia_Centrata READ griglia_Centrata WRITE writeGriglia_Centrata)
  Q_PROPERTY(bool Enabled READ controlEnabled WRITE setEnabled)
  Q_PROPERTY(bool Locked READ locked WRITE writeLocked)
  Q_PROPERTY(int RowHeight READ rowHeight WRITE writeRowHeight)
  Q_PROPERTY(int AltezzaIntest READ altezzaIntest WRITE writeAltezzaIntest)
  Q_PROPERTY(QColor ColoreSfondoGrid READ coloreSfondoGrid WRITE writeColoreSfondoGrid RESET resetColoreSfondoGrid)
  // The drop-down's filter: off by default; see docs/qt.md.
  Q_PROPERTY(CboFilterMode filterMode READ filterMode WRITE writeFilterMode NOTIFY filterModeChanged)
  Q_PROPERTY(QString filterColumns READ filterColumns WRITE writeFilterColumns NOTIFY filterColumnsChanged)

  // The same values under the names a Qt developer looks for, each with its
  // change signal. Neither designable nor stored: Designer and the .ui files
  // keep the persisted names above, so each value is saved once.
  Q_PROPERTY(
      QString currentText READ currentText WRITE writeText NOTIFY currentTextChanged DESIGNABLE false STORED false)
  Q_PROPERTY(
      QString currentValue READ currentValue WRITE writeValue NOTIFY currentValueChanged DESIGNABLE false STORED false)
  Q_PROPERTY(int currentKey READ currentKey WRITE writeListIndex NOTIFY currentRowChanged DESIGNABLE false STORED false)
  Q_PROPERTY(
      QString textColumn READ textColumn WRITE writeText_Column NOTIFY textColumnChanged DESIGNABLE false STORED false)
  Q_PROPERTY(QString boundColumn READ boundColumn WRITE writeBound_Column NOTIFY boundColumnChanged
                 DESIGNABLE false STORED false)
  Q_PROPERTY(
      StileCbo comboStyle READ comboStyle WRITE writeStileCbo NOTIFY comboStyleChanged DESIGNABLE false STORED false)
  Q_PROPERTY(
      int visibleRows READ visibleRows WRITE writeRows_Count NOTIFY visibleRowsChanged DESIGNABLE false STORED false)
  Q_PROPERTY(int headerHeight READ headerHeight WRITE writeHeaderHeight NOTIFY headerHeightChanged
                 DESIGNABLE false STORED false)
  Q_PROPERTY(QColor textColor READ textColor WRITE writeForeColor RESET resetForeColor NOTIFY textColorChanged
                 DESIGNABLE false STORED false)
  Q_PROPERTY(QColor backgroundColor READ backgroundColor WRITE writeBackColor RESET resetBackColor NOTIFY
                 backgroundColorChanged DESIGNABLE false STORED false)
  Q_PROPERTY(QColor gridBackgroundColor READ gridBackgroundColor WRITE writeColoreSfondoGrid RESET resetColoreSfondoGrid
                 NOTIFY gridBackgroundColorChanged DESIGNABLE false STORED false)
  // How long, in milliseconds, a statement of a live list (attachTable) may
  // run. A setting of the program, not of the form: neither designable nor
  // stored.
  Q_PROPERTY(int timeLimit READ timeLimit WRITE writeTimeLimit NOTIFY timeLimitChanged DESIGNABLE false STORED false)

public:
  // The published enumerations, for Qt's property system (Designer's drop-down
  // choices, style sheets' property selectors, QVariant). Same names and
  // values as those of control/enumerations.hpp.
  enum TipoPulsante {
    FrecciaNera = 0,
    FrecciaGialla = 1,
    FrecciaVerde = 2,
    FrecciaBlu = 3,
    PuntoNero = 4,
    PuntoGiallo = 5,
    PuntoVerde = 6,
    PuntoBlu = 7,
    PuntiNeri = 8,
    PuntiVerdi = 9,
    LineaNera = 10,
    AsteriscoNero = 11,
    AsteriscoRosso = 12,
    AsteriscoVerde = 13
  };
  Q_ENUM(TipoPulsante)
  enum Esegui_ListIndex {
    SettaDaListIndex = 0,
    LeggiDaListIndex = 1,
    SettaDaBoundColumn = 2,
    LeggiDaBoundColumn = 3,
    SettaDaTextColumn = 4,
    LeggiDaTextColumn = 5
  };
  Q_ENUM(Esegui_ListIndex)
  enum Cancella_Cbo { Tutto = 0, Solo_Dati = 1 };
  Q_ENUM(Cancella_Cbo)
  enum Tipo_Separatore_Celle {
    Nessuna_Divisione = 0,
    Linea_Nera = 1,
    Linea_Grigia = 2,
    Raised = 3,
    Insert = 4,
    Come_Colore_Testo = 5,
    Grigia_Illuminata = 6
  };
  Q_ENUM(Tipo_Separatore_Celle)
  enum AllineamentoDati { Sinistra = 0, Destra = 1, Centro = 2 };
  Q_ENUM(AllineamentoDati)
  enum AgglignVrn { All_Left = 0, All_Right = 1, All_Center = 2 };
  Q_ENUM(AgglignVrn)
  enum StileCbo { TextBox = 0, ComboBox = 1, ListCombo = 2 };
  Q_ENUM(StileCbo)
  enum BorderStyleVrn { None = 0, Fixed_Single = 1 };
  Q_ENUM(BorderStyleVrn)
  enum ApparenceVrn { Flat = 0, Tridimensionale = 1 };
  Q_ENUM(ApparenceVrn)
  enum CboFilterMode { FilterOff = 0, FilterContains = 1, FilterWordStart = 2 };
  Q_ENUM(CboFilterMode)

  explicit CboVarnoWidget(QWidget* parent = nullptr);
  ~CboVarnoWidget() override;

  // The control's whole interface: columns, rows, lookups and every member.
  CboVarno& control();

  // --- The persisted properties, each read by the property's name with a
  // small first letter and written by set and the name, as uic expects. A
  // value the control refuses (a Rows_Count of 300, an AltezzaIntest beyond
  // 16 bits) raises cbo::Error naming the property; written through Qt's
  // property system (setProperty, Designer, a .ui file loaded at run time) it
  // is reported by errorOccurred instead and the property keeps its value. Colours: a property reads
  // as the colour on screen (a system colour resolved from the palette); an
  // invalid QColor or a reset sets the system colour the property starts
  // with. ---
  // The control's text font, pinned at 8.25 points; set it with setFont().
  QFont controlFont() const;
  TipoPulsante tipoPulsante() const;
  void setTipoPulsante(TipoPulsante value);
  StileCbo stileCbo() const;
  void setStileCbo(StileCbo value);
  QColor foreColor() const;
  void setForeColor(const QColor& colour);
  void resetForeColor();
  QColor backColor() const;
  void setBackColor(const QColor& colour);
  void resetBackColor();
  ApparenceVrn appearance() const;
  void setAppearance(ApparenceVrn value);
  BorderStyleVrn borderStyle() const;
  void setBorderStyle(BorderStyleVrn value);
  AgglignVrn alignment() const;
  void setAlignment(AgglignVrn value);
  Tipo_Separatore_Celle separatore_Record() const;
  void setSeparatore_Record(Tipo_Separatore_Celle value);
  bool record_Selector() const;
  void setRecord_Selector(bool on);
  QString text_Column() const;
  void setText_Column(const QString& field);
  QString bound_Column() const;
  void setBound_Column(const QString& field);
  int rows_Count() const;
  void setRows_Count(int rows);
  bool visualizza_Fields() const;
  void setVisualizza_Fields(bool on);
  QFont font_Grid() const;
  void setFont_Grid(const QFont& font);
  QString value() const;
  void setValue(const QString& value);
  QString text() const;
  void setText(const QString& text);
  int listIndex() const;
  void setListIndex(int listIndex);
  bool griglia_Centrata() const;
  void setGriglia_Centrata(bool on);
  // The control's Enabled; setEnabled(false) on the widget clears it, and
  // control().SetEnabled(false) disables the text box alone.
  bool controlEnabled() const;
  bool locked() const;
  void setLocked(bool on);
  int rowHeight() const;
  void setRowHeight(int twips);
  int altezzaIntest() const;
  void setAltezzaIntest(int twips);
  QColor coloreSfondoGrid() const;
  void setColoreSfondoGrid(const QColor& colour);
  void resetColoreSfondoGrid();
  // The filter's mode, and the fields it searches (comma-separated; "" for
  // every shown column). setFilterColumns throws a Table error naming a field
  // the list lacks once its columns are defined.
  CboFilterMode filterMode() const;
  void setFilterMode(CboFilterMode mode);
  QString filterColumns() const;
  void setFilterColumns(const QString& fields);

  // --- The Qt-named properties: the same values as the persisted ones
  // (currentText is Text, textColumn is Text_Column, ...), with a change
  // signal each, emitted once per real change whoever made it. Setters raise
  // cbo::Error as the persisted ones do.
  // The text in the text box; setting it runs type-ahead as Text does.
  QString currentText() const { return text(); }
  void setCurrentText(const QString& text) { setText(text); }
  // The chosen row's bound value (Value: ListCombo only, "" otherwise).
  QString currentValue() const { return value(); }
  void setCurrentValue(const QString& value) { setValue(value); }
  // The key (_Index_Cmbo_Varno_) of the row last chosen, in any style: 0
  // before any choice. Setting it chooses that row as ListIndex does
  // (ListCombo only).
  int currentKey() const;
  void setCurrentKey(int key) { setListIndex(key); }
  QString textColumn() const { return text_Column(); }
  void setTextColumn(const QString& field) { setText_Column(field); }
  QString boundColumn() const { return bound_Column(); }
  void setBoundColumn(const QString& field) { setBound_Column(field); }
  StileCbo comboStyle() const { return stileCbo(); }
  void setComboStyle(StileCbo style) { setStileCbo(style); }
  // The most rows the drop-down shows (Rows_Count, 0 to 255).
  int visibleRows() const { return rows_Count(); }
  void setVisibleRows(int rows) { setRows_Count(rows); }
  // The header band's height in pixels at the platform's default text size
  // (AltezzaIntest is in twips, 15 to a pixel; the control scales both with
  // the text size it inherits).
  int headerHeight() const;
  void setHeaderHeight(int pixels);
  QColor textColor() const { return foreColor(); }
  void setTextColor(const QColor& colour) { setForeColor(colour); }
  QColor backgroundColor() const { return backColor(); }
  void setBackgroundColor(const QColor& colour) { setBackColor(colour); }
  // The band around the grid in the drop-down (ColoreSfondoGrid).
  QColor gridBackgroundColor() const { return coloreSfondoGrid(); }
  void setGridBackgroundColor(const QColor& colour) { setColoreSfondoGrid(colour); }

  // --- State, as Qt's views keep theirs: the design-time settings (the 24
  // persisted properties) and the user's current choice, in one QByteArray
  // for a host to keep (in QSettings, say). The choice is kept by its bound
  // value in ListCombo and by its text in the other styles, so that it finds
  // its row again in a list filled anew. restoreState applies the settings
  // (false, changing nothing, for data that is not such a state; false with
  // errorOccurred("restoreState", ...) for a value the control refuses, the
  // values before it applied), then the choice: at once when the list has
  // rows, otherwise once fillFromQuery or fillFromModel fills it, or when the
  // widget is next shown with rows (added through addRow or control()). In
  // ListCombo a value no row has falls back on the first row, as Value does.
  QByteArray saveState() const;
  bool restoreState(const QByteArray& state);

  // --- Settings under the 24 property names: the design-time values only
  // (Value, Text and ListIndex as the designer set them, not the user's
  // choice; saveState keeps that too): in a QSettings group (the
  // current group when `group` is empty), or in a settings file. Loading
  // stops at the first value the control refuses, with a cbo::Error that
  // names it; the values before it stay applied.
  // Through QSettings, settings that cannot be read (a format error, an
  // access error, a folder or a device where the file should be) are not
  // read at all: loadSettings emits errorOccurred("loadSettings", reason),
  // returns false and every property stays as it was; a missing file holds
  // no values, so every property takes its default. saveSettings writes the
  // values and syncs: a failure (an access error, a full disk) emits
  // errorOccurred("saveSettings", reason) and returns false.
  // The settings file: a failure is a cbo::Error naming the file (see
  // platform/property_file.hpp). ---
  bool saveSettings(QSettings& settings, const QString& group = QString());
  bool loadSettings(QSettings& settings, const QString& group = QString());
  void saveSettings(const QString& path);
  void loadSettings(const QString& path);

  // --- Columns and rows ---
  // What addColumn takes beside the name, the caption and the width, each
  // with the default AddField gives it.
  struct ColumnOptions {
    bool visible = true;                           // shown in the drop-down
    Tipo_Separatore_Celle divider = Linea_Grigia;  // the line between this column and the next
    QString format;                                // the display format of AddField
    Qt::Alignment alignment = Qt::AlignLeft;       // left, right or (horizontally) centred
    bool resizable = false;                        // the user may resize it
    bool wrapText = false;                         // its cells wrap their text
    bool sortable = true;                          // a click on its header sorts by it
  };
  // AddField with the width in pixels at the platform's text size (15 twips
  // to a pixel; the control scales it with the text size it inherits). An
  // empty caption is the name. Raises cbo::Error as AddField does.
  void addColumn(const QString& name, const QString& caption, int widthPixels, const ColumnOptions& options);
  // The same with every option at its default (a width of 67 pixels is
  // AddField's 1000 twips).
  void addColumn(const QString& name, const QString& caption = QString(), int widthPixels = 67);
  // Appends one row, all of it or nothing: its values one per column in
  // order, or by column name (letter case ignored; a column the map leaves
  // out is Null). Values are converted as fillFromQuery converts them (an
  // invalid or null QVariant is Null; numbers, truth values and dates become
  // the text the list stores for them); a value count that is not the column
  // count, a name no column has, binary data, or a list without columns
  // raise cbo::Error naming the value, and the list is left as it was.
  void addRow(const QVariantList& values);
  void addRow(const QVariantMap& values);

  // --- Lists from a database ---
  // Appends the rows of a Qt SQL query on any driver (QSQLITE, QPSQL, QMYSQL,
  // QODBC, ...) to the list, all or nothing. A query that is not active (a
  // prepared one with its values bound) is executed, forward only; an active
  // one is read from where it stands. The rows are read to the end first and
  // then go into the list in one go; a list without columns gets one per
  // result column, and a list with columns fills each from the result column
  // of its name. fillProgress() tells how far it got; returns false when
  // cancelFill() cancelled it, the list then as it was. A query that fails
  // is a cbo::Error of the kind Database carrying the driver's message, a
  // value the list refuses a cbo::Error naming the row and the field: the
  // list is then as it was too.
  bool fillFromQuery(QSqlQuery& query);
  // The same from a Qt item model (a QSqlQueryModel, a QStandardItemModel,
  // a proxy...): its rows under `parent`, each column named by its
  // horizontal header (the display role), its values read in `role`. The
  // same rules as fillFromQuery: the model is read whole first, then its rows
  // go into the list in one go, all or nothing, with the same conversions;
  // fillProgress and cancelFill work the same way. A value the list refuses
  // raises cbo::Error naming the row and the column.
  bool fillFromModel(const QAbstractItemModel& model, int role = Qt::DisplayRole,
                     const QModelIndex& parent = QModelIndex());
  // Makes a table (or view) of an open connection the list, its rows left
  // in the database and read as the drop-down shows them: a table of any
  // size opens at once (qt_sql/live_qt_sql.hpp). `keyColumn` is its unique
  // integer key, which becomes the rows' _Index_Cmbo_Varno_; `fields` are
  // the columns shown, in the list's column order when it has columns (its
  // fields, letter case ignored), otherwise each becomes a column. Drivers:
  // QSQLITE and QPSQL. The list is then read-only (addRow and the fills
  // raise cbo::Error) until it is cleared or filled anew; the database's
  // rows are counted once, here. Returns the CREATE INDEX statements of the
  // indexes the table lacks for fast finds and sorts (empty when it has
  // them); a table of 100,000 rows or more without them is refused. A
  // connection that is not open, another driver, a missing table or column,
  // a key that is not a unique integer column, a statement stopped at
  // timeLimit, and every failure of the database raise cbo::Error of the
  // kind Database with the driver's message, the list then as it was.
  // The attach runs its statements on the calling thread, as do the list's
  // finds and sorts while the user types; the rows the grid shows as it
  // scrolls are read on a thread of their own, over a clone of the
  // connection (QSqlDatabase::cloneDatabase), and the grid shows that it is
  // reading rows when they take longer than 100 ms. A failure of such a read
  // is reported by errorOccurred("ReadRows", ...), and the rows are asked
  // for again when the grid next moves. An SQLite database in memory, which
  // a clone would not reach, has its rows read on the calling thread.
  QStringList attachTable(const QSqlDatabase& db, const QString& table, const QString& keyColumn,
                          const QStringList& fields);
  // The statements that give a table's fields the filter's text indexes
  // (qt_sql/live_qt_sql.hpp): run once on the connection by the table's
  // owner, they let the filter of a live list find a text few rows hold at
  // once. QSQLITE and QPSQL; another driver raises cbo::Error (Database).
  static QStringList filterIndexStatements(const QSqlDatabase& db, const QString& table, const QString& keyColumn,
                                           const QStringList& fields);
  // The time limit of attachTable's statements, 2000 ms unless set; setting
  // it applies to the live list attached too. A limit of 0 ms or less raises
  // cbo::Error (Overflow) naming timeLimit.
  int timeLimit() const { return timeLimitMs_; }
  void setTimeLimit(int milliseconds);

  QSize sizeHint() const override;
  QSize minimumSizeHint() const override;

public slots:
  // Cancels the fills running on this control (from a slot connected to
  // fillProgress, or to a progress dialog's canceled()); fillFromQuery then
  // returns false with the list as it was. Outside a fill it does nothing.
  void cancelFill();

signals:
  // The control's events. A slot connected directly (the default within one
  // thread) may change *keyCode or *keyAscii: 0 cancels the key, another
  // value replaces it. Positions are in this widget's pixels.
  void clicked();
  void doubleClicked();
  void keyDown(int* keyCode, Qt::KeyboardModifiers modifiers);
  void keyPress(int* keyAscii);
  void keyUp(int* keyCode, Qt::KeyboardModifiers modifiers);
  void mouseDown(Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers, QPointF position);
  void mouseMove(Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers, QPointF position);
  void mouseUp(Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers, QPointF position);
  void changed();
  // A row became the control's choice and is shown in the text box: a pick in
  // the drop-down, type-ahead forcing a row in ListCombo, an exact match in
  // ComboBox, Value or ListIndex set by the host. `listIndex` is the row's
  // _Index_Cmbo_Varno_ value.
  void rowChosen(int listIndex);
  // A property changed, under its persisted name ("StileCbo", ...).
  void propertyChanged(const QString& name);
  void filterModeChanged(cbo::CboVarnoWidget::CboFilterMode mode);
  void filterColumnsChanged(const QString& fields);
  // The Qt-named signals (docs/qt.md has when each fires). The chosen row
  // changed: a row with another key became the choice, however it was chosen.
  void currentRowChanged(int key);
  // The user confirmed a row: Enter or a click in the drop-down (the same
  // row again too), or, in ListCombo, a key that forced another row.
  void activated(int key);
  // The text changed, whoever changed it: once per change, with the text as
  // it was left (a completion included).
  void currentTextChanged(const QString& text);
  // The user changed the text (typing, deleting, pasting), not the code.
  void textEdited(const QString& text);
  void currentValueChanged(const QString& value);
  void textColumnChanged(const QString& field);
  void boundColumnChanged(const QString& field);
  void comboStyleChanged(cbo::CboVarnoWidget::StileCbo style);
  void visibleRowsChanged(int rows);
  void headerHeightChanged(int pixels);
  void textColorChanged(const QColor& colour);
  void backgroundColorChanged(const QColor& colour);
  void gridBackgroundColorChanged(const QColor& colour);
  void timeLimitChanged(int milliseconds);
  // One of the control's handlers failed while Qt delivered a user's action;
  // the action went no further. Also emitted by loadSettings and
  // saveSettings on a QSettings that cannot be read or written. `message`
  // begins with the error's kind ("Overflow: ...", "Widget: ...").
  void errorOccurred(const QString& operation, const QString& message);
  // A fill from a query is under way: `rows` rows read so far. Emitted once
  // with 0 when the fill starts, then at most every 50 ms; the count never
  // goes back. A slot may call cancelFill(). While the rows go into the list
  // it refuses to be changed and its drop-down does not open.
  void fillProgress(qint64 rows);

protected:
  bool event(QEvent* e) override;
  bool eventFilter(QObject* watched, QEvent* e) override;

private:
  // The writers of Qt's property system (setProperty, QUiLoader, Designer,
  // style sheets): each calls the setter of the same name, and a value the
  // control refuses is reported through errorOccurred, never thrown through
  // Qt, leaving the property as it was.
  void writeTipoPulsante(TipoPulsante value);
  void writeStileCbo(StileCbo value);
  void writeForeColor(const QColor& value);
  void writeBackColor(const QColor& value);
  void writeAppearance(ApparenceVrn value);
  void writeBorderStyle(BorderStyleVrn value);
  void writeAlignment(AgglignVrn value);
  void writeSeparatore_Record(Tipo_Separatore_Celle value);
  void writeRecord_Selector(bool value);
  void writeText_Column(const QString& value);
  void writeBound_Column(const QString& value);
  void writeRows_Count(int value);
  void writeVisualizza_Fields(bool value);
  void writeFont_Grid(const QFont& value);
  void writeValue(const QString& value);
  void writeText(const QString& value);
  void writeListIndex(int value);
  void writeGriglia_Centrata(bool value);
  void writeLocked(bool value);
  void writeRowHeight(int value);
  void writeAltezzaIntest(int value);
  void writeFilterMode(CboFilterMode value);
  void writeFilterColumns(const QString& value);
  void writeColoreSfondoGrid(const QColor& value);
  void writeHeaderHeight(int value);
  void writeTimeLimit(int value);
  template <class Set>
  void WriteProperty(const char* name, Set&& set);
  // Emits the change signal of each Qt-named property that follows the
  // persisted property `name` (all of them when `name` is empty) and whose
  // value differs from the one last told.
  void NotifyQtNamed(const QString& name);
  // A row became the choice: rowChosen, then the Qt-named signals.
  void RowChosen(int key);
  // The text box's text settled after a change.
  void TextSettled(bool edited);
  // The choice restoreState keeps for a list still to be filled.
  void ApplyPendingChoice();
  bool pendingChoice_ = false;
  QString pendingValue_;
  QString pendingText_;
  // Runs one fill with this widget's progress and cancelling.
  template <class Fill>
  bool RunFill(Fill&& fill);
  struct Private;
  std::unique_ptr<Private> d_;
  int timeLimitMs_ = 2000;      // the live lists' time limit
  int fillsRunning_ = 0;        // fills under way, a nested one counted too
  bool fillCancelled_ = false;  // cancelFill() was called during them
};

}  // namespace cbo
