// The chapter table (165 chapters with their English, German and Japanese
// names) and the lookup of an operator's chapters through it.
#include "gen/chapter_table.h"

#include <string_view>
#include <unordered_map>

#include "driver/diagnostics.h"
#include "driver/settings.h"

const ChapterRow chapter_rows[] = {
    {"Noise", {"Noise", "Rauschen", "ノイズ"}},
    {"Features", {"Features", "Merkmale", "特徴量"}},
    {"Match", {"Match", "Abgleich", "マッチ"}},
    {"VariationModel", {"Variation Model", "Variationsmodell", "バリエーションモデル"}},
    {"ComputeDevices", {"Compute Devices", "Compute-Devices", "コンピュートデバイス"}},
    {"IODevices", {"I/O Devices", "I/O-Geräte", "I/O デバイス"}},
    {"Tuple", {"Tuple", "Tupel", "タプル"}},
    {"Regions", {"Regions", "Regionen", "領域"}},
    {"Tools", {"Tools", "Werkzeuge", "ツール"}},
    {"Window", {"Window", "Fenster", "ウィンドウ"}},
    {"Region", {"Region", "Region", "領域"}},
    {"LookUpTable", {"Look-Up Table", "Look-Up-Tabelle", "ルックアップテーブル"}},
    {"DescriptorBased", {"Descriptor-Based", "Deskriptorbasiert", "ディスクリプタベース"}},
    {"RegionGrowing", {"Region Growing", "Regionenwachstum", "領域拡張"}},
    {"GaussianMixtureModels", {"Gaussian Mixture Models", "Gaußsche Mischmodelle", "混合ガウスモデル"}},
    {"Information", {"Information", "Information", "情報"}},
    {"Matrix", {"Matrix", "Matrix", "行列"}},
    {"Domain", {"Domain", "Definitionsbereich", "ドメイン"}},
    {"Decomposition", {"Decomposition", "Zerlegung", "分解"}},
    {"CorrelationBased", {"Correlation-Based", "Korrelationsbasiert", "相関ベース"}},
    {"DeepCounting", {"Deep Counting", "Deep Counting", "ディープカウンティング"}},
    {"Matching", {"Matching", "Matching", "マッチング"}},
    {"XLD", {"XLD", "XLD", "XLD"}},
    {"GeometricTransformations", {"Geometric Transformations", "Geometrische Transformationen", "幾何変換"}},
    {"Images", {"Images", "Bilder", "画像"}},
    {"Sets", {"Sets", "Mengen", "集合"}},
    {"Legacy", {"Legacy", "Veraltet", "レガシー"}},
    {"Parallelization", {"Parallelization", "Parallelisierung", "並列化"}},
    {"ComponentBased", {"Component-Based", "Komponentenbasiert", "コンポーネントベース"}},
    {"GridRectification", {"Grid Rectification", "Gitterentzerrung", "グリッド補正"}},
    {"StringOperations", {"String Operations", "String-Operationen", "文字列操作"}},
    {"Drawing", {"Drawing", "Zeichnen", "描画"}},
    {"Texture", {"Texture", "Textur", "テクスチャ"}},
    {"BackgroundEstimator", {"Background Estimator", "Hintergrundschätzer", "背景推定"}},
    {"ErrorHandling", {"Error Handling", "Fehlerbehandlung", "エラー処理"}},
    {"Graphics", {"Graphics", "Grafik", "グラフィックス"}},
    {"ShapeBased", {"Shape-Based", "Formbasiert", "形状ベース"}},
    {"Topography", {"Topography", "Topographie", "地形"}},
    {"Creation", {"Creation", "Erzeugung", "生成"}},
    {"Manipulation", {"Manipulation", "Manipulation", "操作"}},
    {"Database", {"Database", "Datenbank", "データベース"}},
    {"Image", {"Image", "Bild", "画像"}},
    {"Inpainting", {"Inpainting", "Inpainting", "インペインティング"}},
    {"Points", {"Points", "Punkte", "点"}},
    {"BinocularStereo", {"Binocular Stereo", "Binokulares Stereo", "2眼ステレオ"}},
    {"LUT", {"LUT", "LUT", "LUT"}},
    {"SheetOfLight", {"Sheet of Light", "Lichtschnitt", "光切断"}},
    {"DepthFromFocus", {"Depth from Focus", "Tiefe aus Fokus", "焦点深度"}},
    {"OperatingSystem", {"Operating System", "Betriebssystem", "オペレーティングシステム"}},
    {"OCR", {"OCR", "OCR", "OCR"}},
    {"Tests", {"Tests", "Tests", "テスト"}},
    {"WienerFilter", {"Wiener Filter", "Wiener-Filter", "ウィーナーフィルタ"}},
    {"Hyperboxes", {"Hyperboxes", "Hyperquader", "ハイパーボックス"}},
    {"Serial", {"Serial", "Seriell", "シリアル"}},
    {"Format", {"Format", "Format", "フォーマット"}},
    {"Text", {"Text", "Text", "テキスト"}},
    {"Function", {"Function", "Funktion", "関数"}},
    {"1DMeasuring", {"1D Measuring", "1D-Messen", "1次元計測"}},
    {"2DMetrology", {"2D Metrology", "2D-Metrologie", "2次元計測"}},
    {"3DMatching", {"3D Matching", "3D-Matching", "3次元マッチング"}},
    {"SupportVectorMachines", {"Support Vector Machines", "Support-Vektor-Maschinen", "サポートベクターマシン"}},
    {"Acquisition", {"Acquisition", "Bildaufnahme", "画像取得"}},
    {"Segmentation", {"Segmentation", "Segmentierung", "セグメンテーション"}},
    {"Output", {"Output", "Ausgabe", "出力"}},
    {"TypeConversion", {"Type Conversion", "Typumwandlung", "型変換"}},
    {"File", {"File", "Datei", "ファイル"}},
    {"Classification", {"Classification", "Klassifikation", "分類"}},
    {"Access", {"Access", "Zugriff", "アクセス"}},
    {"GrayValueBased", {"Gray-Value-Based", "Grauwertbasiert", "濃淡値ベース"}},
    {"System", {"System", "System", "システム"}},
    {"FourierDescriptor", {"Fourier Descriptor", "Fourier-Deskriptor", "フーリエ記述子"}},
    {"CameraCalibration", {"Camera Calibration", "Kamerakalibrierung", "カメラキャリブレーション"}},
    {"Hough", {"Hough", "Hough", "ハフ変換"}},
    {"Enhancement", {"Enhancement", "Verbesserung", "強調"}},
    {"Edges", {"Edges", "Kanten", "エッジ"}},
    {"Conversion", {"Conversion", "Umwandlung", "変換"}},
    {"BarCode", {"Bar Code", "Barcode", "バーコード"}},
    {"Sockets", {"Sockets", "Sockets", "ソケット"}},
    {"Bit", {"Bit", "Bit", "ビット"}},
    {"Control", {"Control", "Steuerung", "制御"}},
    {"Lexica", {"Lexica", "Lexika", "辞書"}},
    {"Arithmetic", {"Arithmetic", "Arithmetik", "算術"}},
    {"DeepLearning", {"Deep Learning", "Deep Learning", "ディープラーニング"}},
    {"Model", {"Model", "Modell", "モデル"}},
    {"ObjectDetection", {"Object Detection", "Objektdetektion", "物体検出"}},
    {"SemanticSegmentation", {"Semantic Segmentation", "Semantische Segmentierung", "セマンティックセグメンテーション"}},
    {"AnomalyDetection", {"Anomaly Detection", "Anomalieerkennung", "異常検出"}},
    {"Framework", {"Framework", "Framework", "フレームワーク"}},
    {"LegDLClassification", {"Legacy DL Classification", "Veraltete DL-Klassifikation", "レガシー DL 分類"}},
    {"OpticalFlow", {"Optical Flow", "Optischer Fluss", "オプティカルフロー"}},
    {"SceneFlow", {"Scene Flow", "Szenenfluss", "シーンフロー"}},
    {"BitOperations", {"Bit Operations", "Bit-Operationen", "ビット演算"}},
    {"KalmanFilter", {"Kalman Filter", "Kalman-Filter", "カルマンフィルタ"}},
    {"Smoothing", {"Smoothing", "Glättung", "平滑化"}},
    {"Transformations", {"Transformations", "Transformationen", "変換"}},
    {"Gnuplot", {"Gnuplot", "Gnuplot", "Gnuplot"}},
    {"Eigenvalues", {"Eigenvalues", "Eigenwerte", "固有値"}},
    {"2DTransformations", {"2D Transformations", "2D-Transformationen", "2次元変換"}},
    {"Misc", {"Miscellaneous", "Verschiedenes", "その他"}},
    {"Color", {"Color", "Farbe", "カラー"}},
    {"Geometry", {"Geometry", "Geometrie", "幾何"}},
    {"3DTransformations", {"3D Transformations", "3D-Transformationen", "3次元変換"}},
    {"Morphology", {"Morphology", "Morphologie", "モルフォロジー"}},
    {"Mouse", {"Mouse", "Maus", "マウス"}},
    {"Selection", {"Selection", "Auswahl", "選択"}},
    {"Lines", {"Lines", "Linien", "線"}},
    {"LogicalOperations", {"Logical Operations", "Logische Operationen", "論理演算"}},
    {"Threshold", {"Threshold", "Schwellwert", "しきい値"}},
    {"MSER", {"MSER", "MSER", "MSER"}},
    {"Object", {"Object", "Objekt", "オブジェクト"}},
    {"Develop", {"Develop", "Entwicklung", "開発"}},
    {"TrainingFiles", {"Training Files", "Trainingsdateien", "学習ファイル"}},
    {"NeuralNets", {"Neural Nets", "Neuronale Netze", "ニューラルネットワーク"}},
    {"ConvolutionalNeuralNets", {"Convolutional Neural Nets", "Faltende neuronale Netze", "畳み込みニューラルネットワーク"}},
    {"ElementOrder", {"Element Order", "Elementreihenfolge", "要素順序"}},
    {"GrayValues", {"Gray Values", "Grauwerte", "濃淡値"}},
    {"FFT", {"FFT", "FFT", "FFT"}},
    {"Channel", {"Channel", "Kanal", "チャンネル"}},
    {"Parameters", {"Parameters", "Parameter", "パラメータ"}},
    {"Calibration", {"Calibration", "Kalibrierung", "キャリブレーション"}},
    {"Comparison", {"Comparison", "Vergleich", "比較"}},
    {"Deformable", {"Deformable", "Deformierbar", "変形可能"}},
    {"OCV", {"OCV", "OCV", "OCV"}},
    {"DataCode", {"Data Code", "Datacode", "データコード"}},
    {"SurfaceBased", {"Surface-Based", "Oberflächenbasiert", "サーフェスベース"}},
    {"DeformableSurfaceBased", {"Deformable Surface-Based", "Deformierbar oberflächenbasiert", "変形可能サーフェスベース"}},
    {"3DReconstruction", {"3D Reconstruction", "3D-Rekonstruktion", "3次元再構成"}},
    {"MultiViewStereo", {"Multi-View Stereo", "Multi-View-Stereo", "マルチビューステレオ"}},
    {"PhotometricStereo", {"Photometric Stereo", "Photometrisches Stereo", "照度差ステレオ"}},
    {"3DTools", {"3D Tools", "3D-Werkzeuge", "3次元ツール"}},
    {"3DObjectModel", {"3D Object Model", "3D-Objektmodell", "3次元オブジェクトモデル"}},
    {"3DSegmentation", {"3D Segmentation", "3D-Segmentierung", "3次元セグメンテーション"}},
    {"Binocular", {"Binocular", "Binokular", "2眼"}},
    {"CalibrationObject", {"Calibration Object", "Kalibrierkörper", "キャリブレーションオブジェクト"}},
    {"CameraParameters", {"Camera Parameters", "Kameraparameter", "カメラパラメータ"}},
    {"HandEye", {"Hand-Eye", "Hand-Auge", "ハンドアイ"}},
    {"InverseProjection", {"Inverse Projection", "Inverse Projektion", "逆投影"}},
    {"Monocular", {"Monocular", "Monokular", "単眼"}},
    {"Projection", {"Projection", "Projektion", "投影"}},
    {"Rectification", {"Rectification", "Entzerrung", "補正"}},
    {"SelfCalibration", {"Self-Calibration", "Selbstkalibrierung", "セルフキャリブレーション"}},
    {"MultiView", {"Multi-View", "Multi-View", "マルチビュー"}},
    {"Identification", {"Identification", "Identifikation", "識別"}},
    {"Inspection", {"Inspection", "Inspektion", "検査"}},
    {"1DBarCode", {"1D Bar Code", "1D-Barcode", "1次元バーコード"}},
    {"2DBarCode", {"2D Bar Code", "2D-Barcode", "2次元バーコード"}},
    {"Filters", {"Filters", "Filter", "フィルタ"}},
    {"Multithreading", {"Multithreading", "Multithreading", "マルチスレッド"}},
    {"Mosaicking", {"Mosaicking", "Mosaikbildung", "モザイキング"}},
    {"Poses", {"Poses", "Posen", "姿勢"}},
    {"Quaternions", {"Quaternions", "Quaternionen", "四元数"}},
    {"DualQuaternions", {"Dual Quaternions", "Duale Quaternionen", "双対四元数"}},
    {"SerializedItem", {"Serialized Item", "Serialisiertes Objekt", "シリアライズアイテム"}},
    {"KNearestNeighbor", {"k-Nearest Neighbor", "k-nächste Nachbarn", "k 近傍法"}},
    {"Type", {"Type", "Typ", "型"}},
    {"Interpolation", {"Interpolation", "Interpolation", "補間"}},
    {"3DScene", {"3D Scene", "3D-Szene", "3次元シーン"}},
    {"BeadInspection", {"Bead Inspection", "Raupeninspektion", "ビード検査"}},
    {"StructuredLight", {"Structured Light", "Strukturiertes Licht", "構造化光"}},
    {"Containers", {"Containers", "Container", "コンテナ"}},
    {"3DBox", {"3D Box", "3D-Quader", "3次元ボックス"}},
    {"DeepOCR", {"Deep OCR", "Deep OCR", "ディープ OCR"}},
    {"MemoryBlock", {"Memory Block", "Speicherblock", "メモリブロック"}},
    {"3DGrippingPointDetection", {"3D Gripping Point Detection", "3D-Greifpunkterkennung", "3次元把持点検出"}},
    {"EncryptedItem", {"Encrypted Item", "Verschlüsseltes Objekt", "暗号化アイテム"}},
};
const int chapter_row_count = sizeof chapter_rows / sizeof chapter_rows[0];

int language_column(const std::string& language_name) {
  std::string_view name = language_name;
  if (name == "english") return 0;
  if (name == "german") return 1;
  if (name == "japanese") return 2;
  return -1;
}

namespace {

// The rows by identifier, made once on first use (a function-local static is
// thread-safe, and the manual looks chapters up from its worker threads).
const std::unordered_map<std::string_view, const ChapterRow*>& rows_by_id() {
  static const std::unordered_map<std::string_view, const ChapterRow*> rows = [] {
    std::unordered_map<std::string_view, const ChapterRow*> map;
    map.reserve(chapter_row_count);
    for (int row = 0; row < chapter_row_count; ++row)
      map.emplace(chapter_rows[row].id, &chapter_rows[row]);
    return map;
  }();
  return rows;
}

}  // namespace

const char* chapter_name(const std::string& id, const std::string& language_name) {
  int column = language_column(language_name);
  if (column < 0) return nullptr;
  const auto& rows = rows_by_id();
  auto found = rows.find(id);
  return found != rows.end() ? found->second->names[column] : nullptr;
}

const TextList* list_in_language(const TaggedList<TextList>& lists, const std::string& language) {
  for (const Tagged<TextList>& entry : lists)
    if (entry.language == language) return &entry.value;
  return nullptr;
}

void report_unknown_identifier(const std::string& id, const Operator& op) {
  if (settings().doc_language != "english") return;
  // two blanks before the quote, as the message has always been written
  report_warning("Unknown keyword, chapter, or file extension ID  '%s' for operator '%s'\n",
                 id.c_str(), op.name.c_str());
}

TextList chapter_lookup(const Operator& op, const std::string& language_name, bool report) {
  if (op.info == nullptr) return {};
  const TextList* ids = list_in_language(op.info->chapters, "english");
  if (ids == nullptr || ids->empty()) {
    if (report) report_warning("No chapter for %s!\n", op.name.c_str());
    return {};
  }
  if (language_name == "id") return *ids;
  // an identifier the table does not know stays as it is, so that names and
  // identifiers keep their positions
  TextList names;
  bool any_found = false;
  for (const std::string& id : *ids) {
    if (const char* name = chapter_name(id, language_name)) {
      names.push_back(name);
      any_found = true;
    } else {
      if (report) report_unknown_identifier(id, op);
      names.push_back(id);
    }
  }
  if (any_found) return names;
  if (const TextList* own = list_in_language(op.info->chapters, language_name)) return *own;
  if (report) report_warning("No %s chapter name for %s!\n", language_name.c_str(), op.name.c_str());
  return {};
}
