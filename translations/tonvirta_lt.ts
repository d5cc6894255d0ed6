<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="lt" sourcelanguage="en">
<context>
    <name>QCommandLineParser</name>
    <message>
        <source>Displays version information.</source>
        <translation>Parodo versijos informaciją.</translation>
    </message>
    <message>
        <source>Displays help on commandline options.</source>
        <translation>Parodo komandinės eilutės parinkčių žinyną.</translation>
    </message>
    <message>
        <source>Displays help including Qt specific options.</source>
        <translation>Parodo žinyną kartu su Qt parinktimis.</translation>
    </message>
    <message>
        <source>Unknown option &apos;%1&apos;.</source>
        <translation>Nežinoma parinktis „%1“.</translation>
    </message>
    <message>
        <source>Unknown options: %1.</source>
        <translation>Nežinomos parinktys: %1.</translation>
    </message>
    <message>
        <source>Missing value after &apos;%1&apos;.</source>
        <translation>Trūksta reikšmės po „%1“.</translation>
    </message>
    <message>
        <source>[options]</source>
        <translation>[parinktys]</translation>
    </message>
    <message>
        <source>Usage: %1</source>
        <translation>Naudojimas: %1</translation>
    </message>
    <message>
        <source>Options:</source>
        <translation>Parinktys:</translation>
    </message>
    <message>
        <source>Arguments:</source>
        <translation>Argumentai:</translation>
    </message>
</context>
<context>
    <name>QPlatformTheme</name>
    <message>
        <source>OK</source>
        <translation>Gerai</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>Įrašyti</translation>
    </message>
    <message>
        <source>Open</source>
        <translation>Atverti</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Atsisakyti</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Užverti</translation>
    </message>
    <message>
        <source>&amp;Yes</source>
        <translation>&amp;Taip</translation>
    </message>
    <message>
        <source>&amp;No</source>
        <translation>&amp;Ne</translation>
    </message>
</context>
<context>
    <name>SoundOpening</name>
    <message>
        <source>%1: not a sound file Tonvirta can read</source>
        <translation>%1: tai ne garso failas, kurį Tonvirta gali perskaityti</translation>
    </message>
    <message>
        <source>%1: silent</source>
        <translation>%1: tyla</translation>
    </message>
    <message>
        <source>%1: no steady pitch</source>
        <translation>%1: nėra pastovaus aukščio</translation>
    </message>
    <message>
        <source>%1: too short</source>
        <translation>%1: per trumpas</translation>
    </message>
    <message>
        <source>%1: no such file</source>
        <translation>%1: tokio failo nėra</translation>
    </message>
    <message>
        <source>%1: a folder, not a sound file</source>
        <translation>%1: tai aplankas, o ne garso failas</translation>
    </message>
    <message>
        <source>%1: pitch %2 Hz, above what Tonvirta takes apart</source>
        <translation>%1: aukštis %2 Hz, aukštesnis, nei Tonvirta išskaido</translation>
    </message>
    <message>
        <source>%1: pitch %2 Hz, below what Tonvirta takes apart</source>
        <translation>%1: aukštis %2 Hz, žemesnis, nei Tonvirta išskaido</translation>
    </message>
    <message>
        <source>%1: %2 samples are not numbers</source>
        <translation>%1: %2 imčių nėra skaičiai</translation>
    </message>
    <message>
        <source>%1: a wavetable frame past 4 GB</source>
        <translation>%1: bangų lentelės kadras didesnis nei 4 GB</translation>
    </message>
    <message>
        <source>%1: wavetable frames of %2 samples; Tonvirta opens powers of two from 32 to 8192</source>
        <translation>%1: bangų lentelės kadrai po %2 imčių; Tonvirta atveria dvejeto laipsnius nuo 32 iki 8192</translation>
    </message>
    <message>
        <source>%1: wavetable frames of %2 samples, but only %3 samples</source>
        <translation>%1: bangų lentelės kadrai po %2 imčių, bet yra tik %3 imčių</translation>
    </message>
    <message>
        <source>%1: %3 samples do not divide into frames of %2</source>
        <translation>%1: %3 imčių nepadalijama į kadrus po %2</translation>
    </message>
    <message>
        <source>%1: a wavetable of 0 frames</source>
        <translation>%1: bangų lentelė iš 0 kadrų</translation>
    </message>
    <message>
        <source>%1: a wavetable of %2 frames; Tonvirta opens up to 512</source>
        <translation>%1: bangų lentelė iš %2 kadrų; Tonvirta atveria iki 512</translation>
    </message>
    <message>
        <source>%1: its recipe claims %2 frames, but it holds %3</source>
        <translation>%1: jo receptas nurodo %2 kadrų, bet faile jų yra %3</translation>
    </message>
    <message>
        <source>%1 Hz (%2) · %3</source>
        <translation>%1 Hz (%2) · %3</translation>
    </message>
    <message>
        <source>%1: one cycle of %2 samples</source>
        <translation>%1: vienas periodas iš %2 imčių</translation>
    </message>
    <message>
        <source>%1: a wavetable of %2 frames of %3 samples</source>
        <translation>%1: bangų lentelė iš %2 kadrų po %3 imčių</translation>
    </message>
    <message>
        <source>; its recipe was set aside, as its samples differ from it</source>
        <translation>; jo receptas nepaisytas, nes imtys nuo jo skiriasi</translation>
    </message>
</context>
<context>
    <name>app::DisplayDescription</name>
    <message>
        <source>Harmonics view on</source>
        <translation>Harmonikų vaizdas įjungtas</translation>
    </message>
    <message>
        <source>Target view on</source>
        <translation>Tikslo vaizdas įjungtas</translation>
    </message>
    <message>
        <source>Target view on: %1</source>
        <translation>Tikslo vaizdas įjungtas: %1</translation>
    </message>
    <message>
        <source>Shift+F10 or the Menu key opens the display&apos;s menu</source>
        <translation>Shift+F10 arba meniu klavišas atveria ekrano meniu</translation>
    </message>
    <message>
        <source>Every harmonic is 0</source>
        <translation>Visos harmonikos lygios 0</translation>
    </message>
    <message>
        <source>Harmonics %1</source>
        <translation>Harmonikos %1</translation>
    </message>
    <message>
        <source>The game&apos;s hidden wave is drawn as the target</source>
        <translation>Žaidimo paslėpta banga nupiešta kaip tikslas</translation>
    </message>
    <message>
        <source>The game&apos;s hidden wave is heard only, not drawn</source>
        <translation>Žaidimo paslėpta banga tik girdima, nepiešiama</translation>
    </message>
</context>
<context>
    <name>app::DisplayViews</name>
    <message>
        <source>Show harmonics</source>
        <translation>Rodyti harmonikas</translation>
    </message>
    <message>
        <source>Show target</source>
        <translation>Rodyti tikslą</translation>
    </message>
    <message>
        <source>The target is flat: nothing to compare</source>
        <translation>Tikslas plokščias: nėra su kuo lyginti</translation>
    </message>
    <message>
        <source>RMS error %1 %   overshoot %2 %</source>
        <translation>RMS paklaida %1 %   viršijimas %2 %</translation>
    </message>
    <message>
        <source>your drawing</source>
        <translation>jūsų piešinys</translation>
    </message>
    <message>
        <source>the sound&apos;s period, %1 Hz (%2)</source>
        <translation>garso periodas, %1 Hz (%2)</translation>
    </message>
    <message>
        <source>Show target: no target yet. Press a preset, draw a wave on the display or open a sound, and its shape shows here.</source>
        <translation>Rodyti tikslą: tikslo dar nėra. Paspauskite šabloną, nupieškite bangą ekrane arba atverkite garsą, ir jo forma bus rodoma čia.</translation>
    </message>
    <message>
        <source>Sine phases only</source>
        <translation>Tik sinuso fazės</translation>
    </message>
    <message>
        <source>Sine phases only: the phases are set aside (S)</source>
        <translation>Tik sinuso fazės: fazės nepaisomos (S)</translation>
    </message>
</context>
<context>
    <name>app::EditActions</name>
    <message>
        <source>Undo</source>
        <translation>Atšaukti</translation>
    </message>
    <message>
        <source>Redo</source>
        <translation>Grąžinti</translation>
    </message>
    <message>
        <source>Copy amplitudes</source>
        <translation>Kopijuoti amplitudes</translation>
    </message>
    <message>
        <source>Paste amplitudes</source>
        <translation>Įklijuoti amplitudes</translation>
    </message>
    <message>
        <source>the clipboard holds no numbers</source>
        <translation>iškarpinėje nėra skaičių</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a number</source>
        <translation>„%1“ nėra skaičius</translation>
    </message>
    <message>
        <source>Nothing pasted: %1. Copy numbers such as &quot;100 0 30&quot; and try again.</source>
        <translation>Nieko neįklijuota: %1. Nukopijuokite skaičius, pavyzdžiui, „100 0 30“, ir bandykite dar kartą.</translation>
    </message>
    <message>
        <source>Pasted the first 17 numbers and left out the rest (%1 more).</source>
        <translation>Įklijuoti pirmieji 17 skaičių, likusieji praleisti (dar %1).</translation>
    </message>
</context>
<context>
    <name>app::Features</name>
    <message>
        <source>Right-click here, or press the Menu key, for sound (Ctrl+P), pitch and volume</source>
        <translation>Spustelėkite čia dešiniuoju mygtuku arba paspauskite meniu klavišą: garsas (Ctrl+P), aukštis ir garsumas</translation>
    </message>
    <message>
        <source>Large view</source>
        <translation>Didelis vaizdas</translation>
    </message>
    <message>
        <source>Sound taken apart</source>
        <translation>Išskaidytas garsas</translation>
    </message>
    <message>
        <source>Envelope of played notes</source>
        <translation>Grojamų natų gaubtinė</translation>
    </message>
</context>
<context>
    <name>app::FileActions</name>
    <message>
        <source>Save picture…</source>
        <translation>Įrašyti paveikslą…</translation>
    </message>
    <message>
        <source>Export sound…</source>
        <translation>Eksportuoti garsą…</translation>
    </message>
    <message>
        <source>Export wavetable…</source>
        <translation>Eksportuoti bangų lentelę…</translation>
    </message>
    <message>
        <source>Save picture</source>
        <translation>Įrašyti paveikslą</translation>
    </message>
    <message>
        <source>PNG images (*.png)</source>
        <translation>PNG paveikslai (*.png)</translation>
    </message>
    <message>
        <source>The picture could not be saved</source>
        <translation>Paveikslo nepavyko įrašyti</translation>
    </message>
    <message>
        <source>Export sound</source>
        <translation>Eksportuoti garsą</translation>
    </message>
    <message>
        <source>WAV sound (*.wav)</source>
        <translation>WAV garsas (*.wav)</translation>
    </message>
    <message>
        <source>The sound could not be exported</source>
        <translation>Garso nepavyko eksportuoti</translation>
    </message>
    <message>
        <source>No wavetable: every amplitude is 0, so the period is silent.</source>
        <translation>Bangų lentelės nėra: visos amplitudės lygios 0, todėl periodas tylus.</translation>
    </message>
    <message>
        <source>Export wavetable</source>
        <translation>Eksportuoti bangų lentelę</translation>
    </message>
    <message>
        <source>The wavetable could not be exported</source>
        <translation>Bangų lentelės nepavyko eksportuoti</translation>
    </message>
    <message>
        <source>%1 as %2: %3.

Choose a folder you can write to, with room on its disk.</source>
        <translation>%1 kaip %2: %3.

Pasirinkite aplanką, į kurį galite rašyti ir kurio diske yra vietos.</translation>
    </message>
    <message>
        <source>the sound libraries could not be loaded</source>
        <translation>nepavyko įkelti garso bibliotekų</translation>
    </message>
    <message>
        <source>Export tracks</source>
        <translation>Eksportuoti takelius</translation>
    </message>
    <message>
        <source>CSV files (*.csv)</source>
        <translation>CSV failai (*.csv)</translation>
    </message>
    <message>
        <source>The tracks could not be exported</source>
        <translation>Takelių eksportuoti nepavyko</translation>
    </message>
    <message>
        <source>1: the boxes&apos; timbre alone</source>
        <translation>1: tik laukelių tembras</translation>
    </message>
    <message>
        <source>&amp;Frames of the note:</source>
        <translation>&amp;Natos kadrų:</translation>
    </message>
    <message>
        <source>Export harmonics…</source>
        <translation>Eksportuoti harmonikas…</translation>
    </message>
    <message>
        <source>Export harmonics</source>
        <translation>Eksportuoti harmonikas</translation>
    </message>
    <message>
        <source>The harmonics could not be exported</source>
        <translation>Harmonikų eksportuoti nepavyko</translation>
    </message>
</context>
<context>
    <name>app::Form1</name>
    <message>
        <source>Harmonic %1 amplitude</source>
        <translation>%1 harmonikos amplitudė</translation>
    </message>
    <message>
        <source>Waveform</source>
        <translation>Bangos forma</translation>
    </message>
</context>
<context>
    <name>app::Listening</name>
    <message>
        <source>Listen</source>
        <translation>Klausytis</translation>
    </message>
    <message>
        <source>Listen (no audio input device)</source>
        <translation>Klausytis (nėra garso įvesties įrenginio)</translation>
    </message>
    <message>
        <source>Listening stopped: the input has gone</source>
        <translation>Klausymasis sustabdytas: įvesties nebeliko</translation>
    </message>
    <message>
        <source>Listening…</source>
        <translation>Klausomasi…</translation>
    </message>
    <message>
        <source>Listening: %1 Hz (%2)</source>
        <translation>Klausomasi: %1 Hz (%2)</translation>
    </message>
    <message>
        <source>Listening: silence</source>
        <translation>Klausomasi: tyla</translation>
    </message>
    <message>
        <source>Listening: no steady pitch</source>
        <translation>Klausomasi: nėra pastovaus aukščio</translation>
    </message>
    <message>
        <source>Listening: %1 Hz, too high to take apart</source>
        <translation>Klausomasi: %1 Hz, per aukštas išskaidyti</translation>
    </message>
    <message>
        <source>Listening: %1 Hz, too low to take apart</source>
        <translation>Klausomasi: %1 Hz, per žemas išskaidyti</translation>
    </message>
    <message>
        <source>Listen (needs a sound server)</source>
        <translation>Klausytis (reikia garso serverio)</translation>
    </message>
</context>
<context>
    <name>app::NoteActions</name>
    <message>
        <source>Note over time</source>
        <translation>Nata laike</translation>
    </message>
    <message>
        <source>Hear the recording</source>
        <translation>Klausyti įrašo</translation>
    </message>
    <message>
        <source>Hear the resynthesis</source>
        <translation>Klausyti atkurto garso</translation>
    </message>
    <message>
        <source>Hear what is left</source>
        <translation>Klausyti, kas liko</translation>
    </message>
    <message>
        <source>Export tracks…</source>
        <translation>Eksportuoti takelius…</translation>
    </message>
</context>
<context>
    <name>app::SoundControls</name>
    <message>
        <source>Sound</source>
        <translation>Garsas</translation>
    </message>
    <message>
        <source>Pitch</source>
        <translation>Aukštis</translation>
    </message>
    <message>
        <source>Volume</source>
        <translation>Garsumas</translation>
    </message>
    <message>
        <source>No audio output device</source>
        <translation>Nėra garso išvesties įrenginio</translation>
    </message>
    <message>
        <source>Sound (%1)</source>
        <translation>Garsas (%1)</translation>
    </message>
    <message>
        <source>%1 Hz, from the sound</source>
        <translation>%1 Hz, iš garso</translation>
    </message>
    <message>
        <source>The sound is back.</source>
        <translation>Garsas grįžo.</translation>
    </message>
    <message>
        <source>No sound: %1.</source>
        <translation>Garso nėra: %1.</translation>
    </message>
    <message>
        <source>Nothing is played while listening.</source>
        <translation>Klausantis niekas negroja.</translation>
    </message>
</context>
<context>
    <name>app::SoundOpening</name>
    <message>
        <source>Open sound</source>
        <translation>Atverti garsą</translation>
    </message>
    <message>
        <source>Open sound…</source>
        <translation>Atverti garsą…</translation>
    </message>
    <message>
        <source>Sounds and MIDI files (*.wav *.flac *.ogg *.oga *.opus *.mp3 *.aif *.aiff *.mid *.midi);;Sounds (*.wav *.flac *.ogg *.oga *.opus *.mp3 *.aif *.aiff);;MIDI files to play (*.mid *.midi);;All files (*)</source>
        <translation>Garsai ir MIDI failai (*.wav *.flac *.ogg *.oga *.opus *.mp3 *.aif *.aiff *.mid *.midi);;Garsai (*.wav *.flac *.ogg *.oga *.opus *.mp3 *.aif *.aiff);;MIDI failai grojimui (*.mid *.midi);;Visi failai (*)</translation>
    </message>
</context>
<context>
    <name>app::WaveGameActions</name>
    <message>
        <source>Level %1, by ear: %2 of harmonics 1–%3</source>
        <translation>%1 lygis, iš klausos: %2 iš harmonikų 1–%3</translation>
    </message>
    <message>
        <source>Level %1: %2 of harmonics 1–%3</source>
        <translation>%1 lygis: %2 iš harmonikų 1–%3</translation>
    </message>
    <message>
        <source>Wave game</source>
        <translation>Bangų žaidimas</translation>
    </message>
    <message>
        <source>Show answer</source>
        <translation>Rodyti atsakymą</translation>
    </message>
    <message>
        <source>New wave</source>
        <translation>Nauja banga</translation>
    </message>
    <message>
        <source>A new wave, level %1.</source>
        <translation>Nauja banga, %1 lygis.</translation>
    </message>
    <message>
        <source>Level</source>
        <translation>Lygis</translation>
    </message>
    <message>
        <source>Hear the hidden wave</source>
        <translation>Klausytis paslėptos bangos</translation>
    </message>
    <message>
        <source>Wave game over: your amplitudes are back.</source>
        <translation>Bangų žaidimas baigtas: jūsų amplitudės grąžintos.</translation>
    </message>
    <message>
        <source>Level 6, by ear: the wave is hidden. W plays it, W again plays your sum.</source>
        <translation>6 lygis, iš klausos: banga paslėpta. W ją groja, dar kartą W groja jūsų sumą.</translation>
    </message>
    <message>
        <source>Match! Level %1, score %2.</source>
        <translation>Sutampa! %1 lygis, taškai: %2.</translation>
    </message>
    <message>
        <source>Ready for level %1? Press %1.</source>
        <translation>Pasiruošę %1 lygiui? Spauskite %1.</translation>
    </message>
    <message>
        <source>The answer: this round scores nothing. N draws a new wave.</source>
        <translation>Atsakymas: šis ratas taškų neduoda. N nupiešia naują bangą.</translation>
    </message>
    <message>
        <source>Switch the sound on (Ctrl+P) to hear the waves.</source>
        <translation>Įjunkite garsą (Ctrl+P), kad išgirstumėte bangas.</translation>
    </message>
    <message>
        <source>Playing the hidden wave.</source>
        <translation>Grojama paslėpta banga.</translation>
    </message>
    <message>
        <source>Playing your sum.</source>
        <translation>Grojama jūsų suma.</translation>
    </message>
    <message>
        <source>Level 6, by ear (needs sound)</source>
        <translation>6 lygis, iš klausos (reikia garso)</translation>
    </message>
    <message>
        <source>Wave game: level %1, score %2</source>
        <translation>Bangų žaidimas: %1 lygis, taškai: %2</translation>
    </message>
    <message>
        <source>Wave game: set the amplitudes until your sum matches the hidden wave. A shows the answer, N draws a new wave, 1 to 6 choose the level, G ends the game.</source>
        <translation>Bangų žaidimas: keiskite amplitudes, kol jūsų suma sutaps su paslėpta banga. A parodo atsakymą, N nupiešia naują bangą, 1–6 parenka lygį, G baigia žaidimą.</translation>
    </message>
    <message>
        <source>Level 6 is played by ear and needs the sound: switch it on with Ctrl+P, then press 6.</source>
        <translation>6 lygis žaidžiamas iš klausos ir jam reikia garso: įjunkite jį Ctrl+P, tada spauskite 6.</translation>
    </message>
    <message>
        <source>The sound has stopped, and level 6 is only heard: your round waits for the sound to come back.</source>
        <translation>Garsas nutilo, o 6 lygis tik girdimas: jūsų ratas palauks, kol garsas sugrįš.</translation>
    </message>
    <message>
        <source>The sound is off, and level 6 is only heard: your round waits until you switch it on (Ctrl+P).</source>
        <translation>Garsas išjungtas, o 6 lygis tik girdimas: jūsų ratas palauks, kol jį įjungsite (Ctrl+P).</translation>
    </message>
    <message>
        <source>hearing the hidden wave (W: your sum)</source>
        <translation>girdima paslėpta banga (W: jūsų suma)</translation>
    </message>
    <message>
        <source>hearing your sum (W: the hidden wave)</source>
        <translation>girdima jūsų suma (W: paslėpta banga)</translation>
    </message>
</context>
<context>
    <name>audio::QtSoundOutput</name>
    <message>
        <source>no sound server</source>
        <translation>nėra garso serverio</translation>
    </message>
    <message>
        <source>waiting for a sound server</source>
        <translation>laukiama garso serverio</translation>
    </message>
    <message>
        <source>no audio output device</source>
        <translation>nėra garso išvesties įrenginio</translation>
    </message>
    <message>
        <source>the sound libraries could not be loaded</source>
        <translation>nepavyko įkelti garso bibliotekų</translation>
    </message>
</context>
<context>
    <name>help::Help</name>
    <message>
        <source>Keys and help</source>
        <translation>Klavišai ir pagalba</translation>
    </message>
    <message>
        <source>About Tonvirta</source>
        <translation>Apie Tonvirtą</translation>
    </message>
    <message>
        <source>Boxes</source>
        <translation>Langeliai</translation>
    </message>
    <message>
        <source>Type an amplitude from -200 to 200 for each of the 17 harmonics.</source>
        <translation>Įrašykite kiekvienos iš 17 harmonikų amplitudę nuo -200 iki 200.</translation>
    </message>
    <message>
        <source>Sliders</source>
        <translation>Slankikliai</translation>
    </message>
    <message>
        <source>Up and Down, Page Up and Page Down, or the mouse: the same amplitude.</source>
        <translation>Aukštyn ir Žemyn, Page Up ir Page Down arba pelė: ta pati amplitudė.</translation>
    </message>
    <message>
        <source>MUTE … TRIANGLE</source>
        <translation>MUTE … TRIANGLE</translation>
    </message>
    <message>
        <source>Load a waveform: silence, square, saws, sine, triangle.</source>
        <translation>Įkelia bangos formą: tylą, stačiakampę, pjūklus, sinusą, trikampę.</translation>
    </message>
    <message>
        <source>Tab</source>
        <translation>Tab</translation>
    </message>
    <message>
        <source>Moves through the display, the boxes, the buttons and the sliders.</source>
        <translation>Pereina per ekraną, langelius, mygtukus ir slankiklius.</translation>
    </message>
    <message>
        <source>Menu key or Shift+F10</source>
        <translation>Meniu klavišas arba Shift+F10</translation>
    </message>
    <message>
        <source>Opens the display&apos;s menu, as a right click does.</source>
        <translation>Atveria ekrano meniu, kaip ir dešinysis spustelėjimas.</translation>
    </message>
    <message>
        <source>Sound (Ctrl+P)</source>
        <translation>Garsas (Ctrl+P)</translation>
    </message>
    <message>
        <source>Hear the sum; Pitch and Volume choose how.</source>
        <translation>Girdėti sumą; Aukštis ir Garsumas nurodo, kaip.</translation>
    </message>
    <message>
        <source>Show harmonics (H)</source>
        <translation>Rodyti harmonikas (H)</translation>
    </message>
    <message>
        <source>Draw each harmonic in its colour behind the sum.</source>
        <translation>Kiekviena harmonika piešiama savo spalva už sumos.</translation>
    </message>
    <message>
        <source>Show target (T)</source>
        <translation>Rodyti tikslą (T)</translation>
    </message>
    <message>
        <source>Draw the preset&apos;s or your drawing&apos;s shape, and how close the sum comes.</source>
        <translation>Piešia paruoštos bangos ar jūsų piešinio formą ir rodo, kiek suma jai artima.</translation>
    </message>
    <message>
        <source>Sine phases only (S)</source>
        <translation>Tik sinuso fazės (S)</translation>
    </message>
    <message>
        <source>Set every phase aside, so the sum is as the boxes alone make it.</source>
        <translation>Nepaiso visų fazių, tad suma tokia, kokią sudaro vien langeliai.</translation>
    </message>
    <message>
        <source>Undo, Redo (Ctrl+Z, Ctrl+Shift+Z)</source>
        <translation>Atšaukti, Grąžinti (Ctrl+Z, Ctrl+Shift+Z)</translation>
    </message>
    <message>
        <source>Step back and forward through edits.</source>
        <translation>Žingsniai atgal ir pirmyn per pakeitimus.</translation>
    </message>
    <message>
        <source>Copy amplitudes, Paste amplitudes (Ctrl+Shift+C, Ctrl+Shift+V)</source>
        <translation>Kopijuoti amplitudes, Įklijuoti amplitudes (Ctrl+Shift+C, Ctrl+Shift+V)</translation>
    </message>
    <message>
        <source>Save picture…, Export sound…, Export wavetable… (Ctrl+S, Ctrl+E, Ctrl+Shift+E)</source>
        <translation>Įrašyti paveikslą…, Eksportuoti garsą…, Eksportuoti bangų lentelę… (Ctrl+S, Ctrl+E, Ctrl+Shift+E)</translation>
    </message>
    <message>
        <source>Play (K)</source>
        <translation>Groti (K)</translation>
    </message>
    <message>
        <source>Play the timbre as notes: Z to / and Q to P are the keys, - and = change the octave, Escape ends it; MIDI keyboards play too.</source>
        <translation>Groja tembrą natomis: klavišai nuo Z iki / ir nuo Q iki P, - ir = keičia oktavą, Escape baigia; groja ir MIDI klaviatūros.</translation>
    </message>
    <message>
        <source>Listen (L)</source>
        <translation>Klausytis (L)</translation>
    </message>
    <message>
        <source>Take apart what the microphone hears, as it is heard.</source>
        <translation>Išskaido tai, ką girdi mikrofonas, vos tik išgirdęs.</translation>
    </message>
    <message>
        <source>Wave game (G)</source>
        <translation>Bangų žaidimas (G)</translation>
    </message>
    <message>
        <source>Match a hidden wave; Show answer (A), New wave (N), Level and Hear the hidden wave (W) belong to it.</source>
        <translation>Atkartokite paslėptą bangą; jam priklauso Rodyti atsakymą (A), Nauja banga (N), Lygis ir Klausytis paslėptos bangos (W).</translation>
    </message>
    <message>
        <source>Large view (V)</source>
        <translation>Didelis vaizdas (V)</translation>
    </message>
    <message>
        <source>A window for a projector: the wave and a chart of the harmonics to edit.</source>
        <translation>Langas projektoriui: banga ir keičiama harmonikų diagrama.</translation>
    </message>
    <message>
        <source>Keys and help (F1)</source>
        <translation>Klavišai ir pagalba (F1)</translation>
    </message>
    <message>
        <source>This window.</source>
        <translation>Šis langas.</translation>
    </message>
    <message>
        <source>The version, and what Tonvirta is for.</source>
        <translation>Versija ir kam skirta Tonvirta.</translation>
    </message>
    <message>
        <source>Moves from bar to bar.</source>
        <translation>Pereina nuo stulpelio prie stulpelio.</translation>
    </message>
    <message>
        <source>Up and Down, Page Up and Page Down</source>
        <translation>Aukštyn ir Žemyn, Page Up ir Page Down</translation>
    </message>
    <message>
        <source>Set the bar&apos;s amplitude.</source>
        <translation>Nustato stulpelio amplitudę.</translation>
    </message>
    <message>
        <source>Left and Right</source>
        <translation>Kairėn ir Dešinėn</translation>
    </message>
    <message>
        <source>Turn the bar&apos;s phase.</source>
        <translation>Suka stulpelio fazę.</translation>
    </message>
    <message>
        <source>Drag, scroll</source>
        <translation>Tempti, sukti ratuką</translation>
    </message>
    <message>
        <source>Set an amplitude or a phase with the mouse.</source>
        <translation>Nustato amplitudę ar fazę pele.</translation>
    </message>
    <message>
        <source>D</source>
        <translation>D</translation>
    </message>
    <message>
        <source>Amplitudes in decibels, or linear again.</source>
        <translation>Amplitudės decibelais arba vėl tiesiškai.</translation>
    </message>
    <message>
        <source>F11, Escape</source>
        <translation>F11, Escape</translation>
    </message>
    <message>
        <source>Full screen, and back.</source>
        <translation>Visas ekranas ir atgal.</translation>
    </message>
    <message>
        <source>Set the amplitudes of the first 17 harmonics and see and hear their sum. Every key below works while the display has the focus, unless it says otherwise.</source>
        <translation>Nustatykite pirmųjų 17 harmonikų amplitudes, matykite ir girdėkite jų sumą. Kiekvienas toliau išvardytas klavišas veikia, kai židinys ekrane, jei nenurodyta kitaip.</translation>
    </message>
    <message>
        <source>Tonvirta: keys and help</source>
        <translation>Tonvirta: klavišai ir pagalba</translation>
    </message>
    <message>
        <source>The window</source>
        <translation>Langas</translation>
    </message>
    <message>
        <source>The display&apos;s menu</source>
        <translation>Ekrano meniu</translation>
    </message>
    <message>
        <source>The large view</source>
        <translation>Didelis vaizdas</translation>
    </message>
    <message>
        <source>&lt;h3&gt;Tonvirta %1&lt;/h3&gt;&lt;p&gt;Additive synthesis, seen and heard: set the amplitudes and phases of the first 17 harmonics of a tone and watch and hear their sum, take recorded notes apart, and play the timbre from a keyboard.&lt;/p&gt;&lt;p&gt;Copyright 2026 The Tonvirta developers (Dorvila). All rights reserved.&lt;/p&gt;</source>
        <translation>&lt;h3&gt;Tonvirta %1&lt;/h3&gt;&lt;p&gt;Adityvinė sintezė, matoma ir girdima: nustatykite pirmųjų 17 tono harmonikų amplitudes ir fazes, stebėkite ir klausykitės jų sumos, išskaidykite įrašytas natas ir grokite tembrą klaviatūra.&lt;/p&gt;&lt;p&gt;Autorių teisės 2026, Tonvirtos kūrėjai (Dorvila). Visos teisės saugomos.&lt;/p&gt;</translation>
    </message>
    <message>
        <source>Sound taken apart: Open sound… (Ctrl+O)</source>
        <translation>Išskaidytas garsas: Atverti garsą… (Ctrl+O)</translation>
    </message>
    <message>
        <source>Note over time (O)</source>
        <translation>Nata laike (O)</translation>
    </message>
    <message>
        <source>The note&apos;s harmonics from its attack to its end, in the large view, with a cursor to load any moment.</source>
        <translation>Natos harmonikos nuo atakos iki pabaigos dideliame vaizde, su žymekliu bet kuriai akimirkai įkelti.</translation>
    </message>
    <message>
        <source>Hear the recording, Hear the resynthesis, Hear what is left (R, E, X)</source>
        <translation>Klausyti įrašo, Klausyti atkurto garso, Klausyti, kas liko (R, E, X)</translation>
    </message>
    <message>
        <source>The note as recorded, as rebuilt from its harmonics, and the rest: breath, bow, hammer, noise.</source>
        <translation>Nata kaip įrašyta, kaip atkurta iš harmonikų, ir likusi dalis: kvėpavimas, strykas, plaktukas, triukšmas.</translation>
    </message>
    <message>
        <source>Export tracks… (Ctrl+T)</source>
        <translation>Eksportuoti takelius… (Ctrl+T)</translation>
    </message>
    <message>
        <source>The note&apos;s harmonics over time as CSV.</source>
        <translation>Natos harmonikos laike CSV formatu.</translation>
    </message>
    <message>
        <source>Time: Left and Right, Page Up and Page Down, Home and End, a click</source>
        <translation>Laikas: kairėn ir dešinėn, Page Up ir Page Down, Home ir End, spustelėjimas</translation>
    </message>
    <message>
        <source>Save the display, five seconds of the sound, or one period for a synthesizer; with a note taken apart, its frames (64 unless you ask for 2 to 256).</source>
        <translation>Įrašo ekraną, penkias garso sekundes arba vieną periodą sintezatoriui; kai nata išskaidyta – jos kadrus (64, nebent paprašysite nuo 2 iki 256).</translation>
    </message>
    <message>
        <source>Export harmonics… (Ctrl+Shift+H)</source>
        <translation>Eksportuoti harmonikas… (Ctrl+Shift+H)</translation>
    </message>
    <message>
        <source>The harmonics of what Export wavetable… writes, a frame a row, as CSV.</source>
        <translation>Harmonikos to, ką įrašo „Eksportuoti bangų lentelę…“, po kadrą eilutėje, CSV formatu.</translation>
    </message>
    <message>
        <source>Take a recorded note apart into its harmonics, open a single cycle or a wavetable&apos;s frames, or play a MIDI file in the timbre.</source>
        <translation>Išskaido įrašytą natą į harmonikas, atveria vieną periodą ar bangų lentelės kadrus arba groja MIDI failą šiuo tembru.</translation>
    </message>
    <message>
        <source>Move the time cursor by a moment, by 100 ms (a wavetable&apos;s by a frame, by 8), to the note&apos;s ends, or to a point; the harmonics there load.</source>
        <translation>Perkelia laiko žymeklį per akimirką, per 100 ms (bangų lentelės – per kadrą, per 8), į natos galus arba į tašką; įkeliamos ten esančios harmonikos.</translation>
    </message>
    <message>
        <source>The amplitudes as one line of text, the phases on a second, an envelope you set on a third.</source>
        <translation>Amplitudės – viena teksto eilute, fazės – antra, jūsų nustatyta gaubtinė – trečia.</translation>
    </message>
    <message>
        <source>Envelope of played notes (Shift+E)</source>
        <translation>Grojamų natų gaubtinė (Shift+E)</translation>
    </message>
    <message>
        <source>How each note Play plays lives: attack, decay, sustain level, release, and how much sooner the upper harmonics die. A recorded note, while the boxes hold what it loaded, plays with its own life instead.</source>
        <translation>Kaip gyvena kiekviena grojama nata: ataka, slopimas, išlaikymo lygis, atleidimas ir kiek greičiau nutyla aukštesnės harmonikos. Įrašyta nata, kol laukeliuose yra tai, ką ji įkėlė, skamba savo pačios gyvenimu.</translation>
    </message>
    <message>
        <source>Envelope: Tab, arrows, Page Up and Page Down, Home and End, a drag</source>
        <translation>Gaubtinė: Tab, rodyklės, Page Up ir Page Down, Home ir End, vilkimas</translation>
    </message>
    <message>
        <source>Move to a handle and set it a step, three steps, or to its least or most; each change is an undo step.</source>
        <translation>Pereikite prie rankenėlės ir keiskite ją vienu žingsniu, trimis žingsniais arba iki mažiausios ar didžiausios vertės; kiekvienas pakeitimas – atskiras atšaukimo žingsnis.</translation>
    </message>
</context>
<context>
    <name>keyboard::PianoView</name>
    <message>
        <source>Keyboard</source>
        <translation>Klaviatūra</translation>
    </message>
    <message>
        <source>Played with the mouse, or with the computer&apos;s keys: Z to / and the keys above them from C, Q to P and the digits an octave higher; - and = change the octave.</source>
        <translation>Grojama pele arba kompiuterio klavišais: nuo Z iki / ir klavišai virš jų nuo C, nuo Q iki P ir skaitmenys oktava aukščiau; - ir = keičia oktavą.</translation>
    </message>
</context>
<context>
    <name>keyboard::PlayMode</name>
    <message>
        <source>Play</source>
        <translation>Groti</translation>
    </message>
    <message>
        <source>Tonvirta: keyboard</source>
        <translation>Tonvirta: klaviatūra</translation>
    </message>
    <message>
        <source>Keyboard</source>
        <translation>Klaviatūra</translation>
    </message>
    <message>
        <source>Play (needs a sound server)</source>
        <translation>Groti (reikia garso serverio)</translation>
    </message>
    <message>
        <source>Play needs a sound server.</source>
        <translation>Grojimui reikia garso serverio.</translation>
    </message>
    <message>
        <source>Play (MIDI needs PipeWire)</source>
        <translation>Groti (MIDI reikia PipeWire)</translation>
    </message>
    <message>
        <source>Octave from %1 (- and = change it) · Escape ends Play</source>
        <translation>Oktava nuo %1 (- ir = ją keičia) · Escape baigia grojimą</translation>
    </message>
    <message>
        <source>%1: cannot be read</source>
        <translation>%1: nepavyksta perskaityti</translation>
    </message>
    <message>
        <source>%1: no notes to play</source>
        <translation>%1: nėra natų grojimui</translation>
    </message>
    <message>
        <source>%1: a kind of MIDI file Tonvirta does not play</source>
        <translation>%1: tokio MIDI failo Tonvirta negroja</translation>
    </message>
    <message>
        <source>%1: not a MIDI file Tonvirta can read</source>
        <translation>%1: ne MIDI failas, kurį Tonvirta gali perskaityti</translation>
    </message>
    <message>
        <source>Playing %1 · Escape stops</source>
        <translation>Grojama %1 · Escape sustabdo</translation>
    </message>
    <message>
        <source>%1 played</source>
        <translation>%1 sugrota</translation>
    </message>
    <message>
        <source>Play: Z to / and Q to P play notes from %1; - and = change the octave; Escape ends it.</source>
        <translation>Grojimas: nuo Z iki / ir nuo Q iki P groja natas nuo %1; - ir = keičia oktavą; Escape jį baigia.</translation>
    </message>
    <message>
        <source>Every amplitude is 0: the notes are silent. Choose a preset or set a harmonic to hear them.</source>
        <translation>Visos amplitudės lygios 0: natos tylios. Pasirinkite paruoštą bangą arba nustatykite harmoniką, kad jas išgirstumėte.</translation>
    </message>
    <message>
        <source>The octave goes no higher than %1.</source>
        <translation>Aukščiau nei %1 oktava nekyla.</translation>
    </message>
    <message>
        <source>The octave goes no lower than %1.</source>
        <translation>Žemiau nei %1 oktava nesileidžia.</translation>
    </message>
</context>
<context>
    <name>largeview::Bar</name>
    <message>
        <source>phase %1 degrees</source>
        <translation>fazė %1 laipsnių</translation>
    </message>
    <message>
        <source>Harmonic %1</source>
        <translation>%1 harmonika</translation>
    </message>
</context>
<context>
    <name>largeview::EnvelopeEditor</name>
    <message>
        <source>Envelope of played notes</source>
        <translation>Grojamų natų gaubtinė</translation>
    </message>
    <message>
        <source>How each played note lives: drag a handle, or Tab to it and use the arrow keys. Attack, decay to the sustain level, release, and how much sooner the upper harmonics die.</source>
        <translation>Kaip gyvena kiekviena grojama nata: vilkite rankenėlę arba pereikite prie jos su Tab ir naudokite rodyklių klavišus. Ataka, slopimas iki išlaikymo lygio, atleidimas ir kiek greičiau nutyla aukštesnės harmonikos.</translation>
    </message>
</context>
<context>
    <name>largeview::EnvelopeHandle</name>
    <message>
        <source>Attack</source>
        <translation>Ataka</translation>
    </message>
    <message>
        <source>Decay</source>
        <translation>Slopimas</translation>
    </message>
    <message>
        <source>Sustain</source>
        <translation>Išlaikymas</translation>
    </message>
    <message>
        <source>Release</source>
        <translation>Atleidimas</translation>
    </message>
    <message>
        <source>Brightness decay</source>
        <translation>Skaistumo slopimas</translation>
    </message>
    <message>
        <source>milliseconds</source>
        <translation>milisekundės</translation>
    </message>
    <message>
        <source>milliseconds, to 60 dB under the peak</source>
        <translation>milisekundės, iki 60 dB žemiau viršūnės</translation>
    </message>
    <message>
        <source>per cent</source>
        <translation>procentai</translation>
    </message>
    <message>
        <source>upper harmonics die sooner, by a power of their number</source>
        <translation>aukštesnės harmonikos nutyla greičiau, pagal jų numerio laipsnį</translation>
    </message>
    <message>
        <source>%1 %</source>
        <translation>%1 %</translation>
    </message>
    <message>
        <source>%1 ms</source>
        <translation>%1 ms</translation>
    </message>
</context>
<context>
    <name>largeview::LargeView</name>
    <message>
        <source>Tonvirta: large view</source>
        <translation>Tonvirta: didelis vaizdas</translation>
    </message>
    <message>
        <source>Large view</source>
        <translation>Didelis vaizdas</translation>
    </message>
    <message>
        <source>Drag a bar to set its harmonic&apos;s amplitude and the narrow bar beside it, or scroll, for its phase. Tab moves between the bars; Up and Down set the amplitude, Left and Right the phase. D: decibels. F11: full screen.</source>
        <translation>Vilkite stulpelį, kad nustatytumėte harmonikos amplitudę, o siaurą stulpelį šalia jo arba ratuką – fazei. Tab pereina tarp stulpelių; aukštyn ir žemyn keičia amplitudę, kairėn ir dešinėn – fazę. D: decibelai. F11: visas ekranas.</translation>
    </message>
    <message>
        <source>Top of the wave: %1</source>
        <translation>Bangos viršus: %1</translation>
    </message>
    <message>
        <source>Harmonics:</source>
        <translation>Harmonikos:</translation>
    </message>
    <message>
        <source>Amplitudes in dB (D: linear) and phases</source>
        <translation>Amplitudės dB (D: tiesinės) ir fazės</translation>
    </message>
    <message>
        <source>Amplitudes (D: decibels) and phases</source>
        <translation>Amplitudės (D: decibelai) ir fazės</translation>
    </message>
    <message>
        <source>Harmonics over time, in dB, and the pitch</source>
        <translation>Harmonikos laike (dB) ir aukštis</translation>
    </message>
    <message>
        <source>%1 · %2 Hz</source>
        <translation>%1 · %2 Hz</translation>
    </message>
    <message>
        <source>%1: %2</source>
        <translation>%1: %2</translation>
    </message>
    <message>
        <source>Harmonics at %1: %2</source>
        <translation>Harmonikos ties %1: %2</translation>
    </message>
</context>
<context>
    <name>largeview::TimeCursor</name>
    <message>
        <source>Time</source>
        <translation>Laikas</translation>
    </message>
    <message>
        <source>%1 s</source>
        <translation>%1 s</translation>
    </message>
    <message>
        <source>seconds</source>
        <translation>sekundės</translation>
    </message>
    <message>
        <source>Frame</source>
        <translation>Kadras</translation>
    </message>
    <message>
        <source>of %1</source>
        <translation>iš %1</translation>
    </message>
    <message>
        <source>frame %1</source>
        <translation>kadras %1</translation>
    </message>
</context>
<context>
    <name>main</name>
    <message>
        <source>Start with the sound on.</source>
        <translation>Pradėti su įjungtu garsu.</translation>
    </message>
    <message>
        <source>Open the large view too, full screen, as for a projector.</source>
        <translation>Atverti ir didelį vaizdą visame ekrane, kaip projektoriui.</translation>
    </message>
    <message>
        <source>Print the 17 amplitudes and the fundamental of the sound in &lt;file&gt;, with no window.</source>
        <translation>Išspausdinti garso iš &lt;file&gt; 17 amplitudžių ir pagrindinį dažnį, neatveriant lango.</translation>
    </message>
    <message>
        <source>Additive synthesis: set the amplitudes of 17 harmonics and watch their sum.</source>
        <translation>Adityvioji sintezė: nustatykite 17 harmonikų amplitudes ir stebėkite jų sumą.</translation>
    </message>
    <message>
        <source>tonvirta: no display to open the window on (DISPLAY and WAYLAND_DISPLAY are unset); run it under a virtual one with: xvfb-run tonvirta</source>
        <translation>tonvirta: nėra ekrano, kuriame atverti langą (DISPLAY ir WAYLAND_DISPLAY nenustatyti); paleiskite virtualiame ekrane: xvfb-run tonvirta</translation>
    </message>
    <message>
        <source>A sound to take apart into its harmonics, or a MIDI file (.mid) to play in the timbre.</source>
        <translation>Garsas, kurį išskaidyti į harmonikas, arba MIDI failas (.mid), kurį groti šiuo tembru.</translation>
    </message>
    <message>
        <source>With --analyse: print the note&apos;s 17 harmonics and pitch every 10 ms as CSV instead.</source>
        <translation>Su --analyse: vietoj to kas 10 ms spausdinti natos 17 harmonikų ir aukštį CSV formatu.</translation>
    </message>
    <message>
        <source>Write the note in &lt;file&gt;, rebuilt from its harmonics over time, to the WAV file named after it, with no window.</source>
        <translation>Natą iš &lt;file&gt;, atkurtą iš jos harmonikų laike, įrašyti į po jo nurodytą WAV failą, be lango.</translation>
    </message>
    <message>
        <source>tonvirta: --resynthesise FILE OUT.wav needs the file to write</source>
        <translation>tonvirta: --resynthesise FILE OUT.wav reikia failo, į kurį rašyti</translation>
    </message>
    <message>
        <source>Write the note in the file named next, as a wavetable of &lt;frames&gt; frames (2 to 256) spread over its life, to the WAV file named after it, with no window.</source>
        <translation>Natą iš po jo nurodyto failo įrašyti kaip bangų lentelę iš &lt;frames&gt; kadrų (nuo 2 iki 256), paskirstytų per visą natos trukmę, į po to nurodytą WAV failą, be lango.</translation>
    </message>
    <message>
        <source>tonvirta: --wavetable FRAMES FILE OUT.wav needs the file to read and the file to write</source>
        <translation>tonvirta: --wavetable FRAMES FILE OUT.wav reikia failo, kurį skaityti, ir failo, į kurį rašyti</translation>
    </message>
    <message>
        <source>tonvirta: --wavetable takes 2 to %1 frames, not &quot;%2&quot;</source>
        <translation>tonvirta: --wavetable priima nuo 2 iki %1 kadrų, o ne „%2“</translation>
    </message>
</context>
</TS>
