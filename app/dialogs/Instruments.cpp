#include "app/dialogs/Instruments.h"

#include "app/dialogs/SongFacts.h"
#include "app/text/Texts.h"

#include <array>

namespace tf {

namespace {

struct Names {
    std::string_view english;
    std::string_view japanese;
};

// The 128 instruments of General MIDI, in program order, named as a player knows them and kept
// short: the dialog gives each about eighteen letters or nine kana.
constexpr std::array<Names, 128> GeneralMidi = {{
    // Pianos
    {"Grand Piano", "グランドピアノ"},
    {"Bright Piano", "ブライトピアノ"},
    {"Electric Grand", "エレキグランド"},
    {"Honky-tonk Piano", "ホンキートンク"},
    {"Electric Piano 1", "エレピ 1"},
    {"Electric Piano 2", "エレピ 2"},
    {"Harpsichord", "ハープシコード"},
    {"Clavinet", "クラビネット"},
    // Chromatic percussion
    {"Celesta", "チェレスタ"},
    {"Glockenspiel", "グロッケン"},
    {"Music Box", "オルゴール"},
    {"Vibraphone", "ビブラフォン"},
    {"Marimba", "マリンバ"},
    {"Xylophone", "シロフォン"},
    {"Tubular Bells", "チューブラーベル"},
    {"Dulcimer", "ダルシマー"},
    // Organs
    {"Drawbar Organ", "ドローバーオルガン"},
    {"Percussive Organ", "パーカッシブオルガン"},
    {"Rock Organ", "ロックオルガン"},
    {"Church Organ", "チャーチオルガン"},
    {"Reed Organ", "リードオルガン"},
    {"Accordion", "アコーディオン"},
    {"Harmonica", "ハーモニカ"},
    {"Tango Accordion", "タンゴアコーディオン"},
    // Guitars
    {"Nylon Guitar", "ナイロンギター"},
    {"Steel Guitar", "スチールギター"},
    {"Jazz Guitar", "ジャズギター"},
    {"Clean Guitar", "クリーンギター"},
    {"Muted Guitar", "ミュートギター"},
    {"Overdriven Guitar", "オーバードライブ"},
    {"Distortion Guitar", "ディストーション"},
    {"Guitar Harmonics", "ギターハーモニクス"},
    // Basses
    {"Acoustic Bass", "ウッドベース"},
    {"Finger Bass", "フィンガーベース"},
    {"Pick Bass", "ピックベース"},
    {"Fretless Bass", "フレットレスベース"},
    {"Slap Bass 1", "スラップベース 1"},
    {"Slap Bass 2", "スラップベース 2"},
    {"Synth Bass 1", "シンセベース 1"},
    {"Synth Bass 2", "シンセベース 2"},
    // Strings
    {"Violin", "バイオリン"},
    {"Viola", "ビオラ"},
    {"Cello", "チェロ"},
    {"Contrabass", "コントラバス"},
    {"Tremolo Strings", "トレモロ弦"},
    {"Pizzicato Strings", "ピチカート弦"},
    {"Harp", "ハープ"},
    {"Timpani", "ティンパニ"},
    // Ensembles
    {"Strings 1", "ストリングス 1"},
    {"Strings 2", "ストリングス 2"},
    {"Synth Strings 1", "シンセ弦 1"},
    {"Synth Strings 2", "シンセ弦 2"},
    {"Choir Aahs", "コーラス「アー」"},
    {"Voice Oohs", "ボイス「ウー」"},
    {"Synth Voice", "シンセボイス"},
    {"Orchestra Hit", "オーケストラヒット"},
    // Brass
    {"Trumpet", "トランペット"},
    {"Trombone", "トロンボーン"},
    {"Tuba", "チューバ"},
    {"Muted Trumpet", "ミュートトランペット"},
    {"French Horn", "ホルン"},
    {"Brass Section", "ブラスセクション"},
    {"Synth Brass 1", "シンセブラス 1"},
    {"Synth Brass 2", "シンセブラス 2"},
    // Reeds
    {"Soprano Sax", "ソプラノサックス"},
    {"Alto Sax", "アルトサックス"},
    {"Tenor Sax", "テナーサックス"},
    {"Baritone Sax", "バリトンサックス"},
    {"Oboe", "オーボエ"},
    {"English Horn", "イングリッシュホルン"},
    {"Bassoon", "ファゴット"},
    {"Clarinet", "クラリネット"},
    // Pipes
    {"Piccolo", "ピッコロ"},
    {"Flute", "フルート"},
    {"Recorder", "リコーダー"},
    {"Pan Flute", "パンフルート"},
    {"Blown Bottle", "ボトル"},
    {"Shakuhachi", "尺八"},
    {"Whistle", "口笛"},
    {"Ocarina", "オカリナ"},
    // Synth leads
    {"Square Lead", "矩形波リード"},
    {"Saw Lead", "ノコギリ波リード"},
    {"Calliope Lead", "カリオペリード"},
    {"Chiff Lead", "チフリード"},
    {"Charang Lead", "チャランリード"},
    {"Voice Lead", "ボイスリード"},
    {"Fifths Lead", "5度リード"},
    {"Bass & Lead", "ベース＆リード"},
    // Synth pads
    {"New Age Pad", "ニューエイジパッド"},
    {"Warm Pad", "ウォームパッド"},
    {"Polysynth Pad", "ポリシンセパッド"},
    {"Choir Pad", "クワイアパッド"},
    {"Bowed Pad", "ボウパッド"},
    {"Metallic Pad", "メタリックパッド"},
    {"Halo Pad", "ハローパッド"},
    {"Sweep Pad", "スウィープパッド"},
    // Synth effects
    {"Rain", "レイン"},
    {"Soundtrack", "サウンドトラック"},
    {"Crystal", "クリスタル"},
    {"Atmosphere", "アトモスフィア"},
    {"Brightness", "ブライトネス"},
    {"Goblins", "ゴブリン"},
    {"Echoes", "エコー"},
    {"Sci-Fi", "SF"},
    // Ethnic
    {"Sitar", "シタール"},
    {"Banjo", "バンジョー"},
    {"Shamisen", "三味線"},
    {"Koto", "琴"},
    {"Kalimba", "カリンバ"},
    {"Bagpipe", "バグパイプ"},
    {"Fiddle", "フィドル"},
    {"Shanai", "シャナイ"},
    // Percussive
    {"Tinkle Bell", "ティンクルベル"},
    {"Agogo", "アゴゴ"},
    {"Steel Drums", "スチールドラム"},
    {"Woodblock", "ウッドブロック"},
    {"Taiko Drum", "太鼓"},
    {"Melodic Tom", "メロディックタム"},
    {"Synth Drum", "シンセドラム"},
    {"Reverse Cymbal", "リバースシンバル"},
    // Sound effects
    {"Guitar Fret Noise", "フレットノイズ"},
    {"Breath Noise", "ブレスノイズ"},
    {"Seashore", "波の音"},
    {"Bird Tweet", "鳥のさえずり"},
    {"Telephone Ring", "電話のベル"},
    {"Helicopter", "ヘリコプター"},
    {"Applause", "拍手"},
    {"Gunshot", "銃声"},
}};

constexpr int DrumChannel = 9;

} // namespace

std::string_view InstrumentName(int program, Language language) {
    if (program < 0 || program >= static_cast<int>(GeneralMidi.size())) {
        return {};
    }
    const Names& names = GeneralMidi[static_cast<std::size_t>(program)];
    return language == Language::English ? names.english : names.japanese;
}

std::string_view PartInstrument(const SongFacts& facts, int channel, int noteCount, Language language) {
    if (noteCount <= 0 || channel < 0 || channel >= 16) {
        return {};
    }
    if (channel == DrumChannel) {
        return Text(TextId::DrumsName, language);
    }
    const int program = facts.firstProgram[static_cast<std::size_t>(channel)];
    return InstrumentName(program < 0 ? 0 : program, language);
}

} // namespace tf
