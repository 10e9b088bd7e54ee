<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE" sourcelanguage="en_US">
<context>
    <name>AddCamera</name>
    <message>
        <source>Add camera</source>
        <translation>Kamera hinzufügen</translation>
    </message>
    <message>
        <source>Detected camera</source>
        <translation>Erkannte Kamera</translation>
    </message>
    <message>
        <source>USB Camera 1</source>
        <translation>USB-Kamera 1</translation>
    </message>
    <message>
        <source>USB Camera 2</source>
        <translation>USB-Kamera 2</translation>
    </message>
    <message>
        <source>Detected cameras</source>
        <translation>Erkannte Kameras</translation>
    </message>
    <message>
        <source>Camera URL:</source>
        <translation>Kamera-URL:</translation>
    </message>
    <message>
        <source>Camera URL</source>
        <translation>Kamera-URL</translation>
    </message>
    <message>
        <source>Add</source>
        <translation>Hinzufügen</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
</context>
<context>
    <name>AnalyzeVideos</name>
    <message>
        <source>MainWindow</source>
        <translation>Hauptfenster</translation>
    </message>
    <message>
        <source>Camera 1 image</source>
        <translation>Bild von Kamera 1</translation>
    </message>
    <message>
        <source>Camera 2 image</source>
        <translation>Bild von Kamera 2</translation>
    </message>
    <message>
        <source>Folder to save files in:</source>
        <translation>Ordner zum Speichern der Dateien:</translation>
    </message>
    <message>
        <source>Folder to save files in</source>
        <translation>Ordner zum Speichern der Dateien</translation>
    </message>
    <message>
        <source>Choose folder to save files in</source>
        <translation>Ordner zum Speichern der Dateien wählen</translation>
    </message>
    <message>
        <source>...</source>
        <translation>...</translation>
    </message>
    <message>
        <source>Save activity data to hard drive</source>
        <translation>Aktivitätsdaten auf der Festplatte speichern</translation>
    </message>
    <message>
        <source>Calibrate manually</source>
        <translation>Manuell kalibrieren</translation>
    </message>
    <message>
        <source>Calibrate using control points (right click on video to add points)</source>
        <translation>Mit Passpunkten kalibrieren (Rechtsklick ins Video setzt Punkte)</translation>
    </message>
    <message>
        <source>Calibrate</source>
        <translation>Kalibrieren</translation>
    </message>
    <message>
        <source>Add new video file</source>
        <translation>Neue Videodatei hinzufügen</translation>
    </message>
    <message>
        <source>Show graph</source>
        <translation>Graph anzeigen</translation>
    </message>
    <message>
        <source>Cancel analyzing</source>
        <translation>Analyse abbrechen</translation>
    </message>
    <message>
        <source>Start analyzing</source>
        <translation>Analyse starten</translation>
    </message>
    <message>
        <source>Tools</source>
        <translation>Extras</translation>
    </message>
    <message>
        <source>Help</source>
        <translation>Hilfe</translation>
    </message>
    <message>
        <source>File</source>
        <translation>Datei</translation>
    </message>
    <message>
        <source>Open analyzed project</source>
        <translation>Analysiertes Projekt öffnen</translation>
    </message>
    <message>
        <source>Open videos</source>
        <translation>Videos öffnen</translation>
    </message>
    <message>
        <source>Exit</source>
        <translation>Beenden</translation>
    </message>
    <message>
        <source>Close current session</source>
        <translation>Aktuelle Sitzung schließen</translation>
    </message>
    <message>
        <source>Settings</source>
        <translation>Einstellungen</translation>
    </message>
    <message>
        <source>About</source>
        <translation>Über Tivoro</translation>
    </message>
    <message>
        <source>Stop analyzing</source>
        <translation>Analyse beenden</translation>
    </message>
    <message>
        <source>Show metadata</source>
        <translation>Metadaten anzeigen</translation>
    </message>
    <message>
        <source>Video analysis</source>
        <translation>Videoanalyse</translation>
    </message>
    <message>
        <source>Cameras</source>
        <translation>Kameras</translation>
    </message>
    <message>
        <source>Camera pictures</source>
        <translation>Kamerabilder</translation>
    </message>
    <message>
        <source>Camera calibration</source>
        <translation>Kamerakalibrierung</translation>
    </message>
    <message>
        <source>Metadata and graph</source>
        <translation>Metadaten und Graph</translation>
    </message>
</context>
<context>
    <name>CameraSettings</name>
    <message>
        <source>Form</source>
        <translation>Formular</translation>
    </message>
    <message>
        <source>Camera image</source>
        <translation>Kamerabild</translation>
    </message>
    <message>
        <source>Height</source>
        <translation>Höhe</translation>
    </message>
    <message>
        <source>X rotation</source>
        <translation>X-Drehung</translation>
    </message>
    <message>
        <source>Z rotation</source>
        <translation>Z-Drehung</translation>
    </message>
    <message>
        <source>Y rotation</source>
        <translation>Y-Drehung</translation>
    </message>
    <message>
        <source>1</source>
        <translation>1</translation>
    </message>
    <message>
        <source>2</source>
        <translation>2</translation>
    </message>
    <message>
        <source>3</source>
        <translation>3</translation>
    </message>
    <message>
        <source>4</source>
        <translation>4</translation>
    </message>
    <message>
        <source>Field of view</source>
        <translation>Sichtfeld</translation>
    </message>
    <message>
        <source>5</source>
        <translation>5</translation>
    </message>
    <message>
        <source>Camera settings: 1: Height, 2: X rotation, 3: Z rotation, 4: Y rotation, 5: Filed of view,
6: Barrel distortion</source>
        <translation>Kameraeinstellungen: 1: Höhe, 2: X-Drehung, 3: Z-Drehung, 4: Y-Drehung, 5: Sichtfeld,
6: Tonnenverzeichnung</translation>
    </message>
    <message>
        <source>Remove this camera</source>
        <translation>Diese Kamera entfernen</translation>
    </message>
    <message>
        <source>Clear control points</source>
        <translation>Passpunkte löschen</translation>
    </message>
    <message>
        <source>Height value</source>
        <translation>Wert der Höhe</translation>
    </message>
    <message>
        <source>0</source>
        <translation>0</translation>
    </message>
    <message>
        <source>X rotation value</source>
        <translation>Wert der X-Drehung</translation>
    </message>
    <message>
        <source>Z rotation value</source>
        <translation>Wert der Z-Drehung</translation>
    </message>
    <message>
        <source>Y rotation value</source>
        <translation>Wert der Y-Drehung</translation>
    </message>
    <message>
        <source>Field of view value</source>
        <translation>Wert des Sichtfelds</translation>
    </message>
    <message>
        <source>Set camera control points by right clicking on the video</source>
        <translation>Passpunkte der Kamera per Rechtsklick auf das Video setzen</translation>
    </message>
    <message>
        <source>Resolution</source>
        <translation>Auflösung</translation>
    </message>
    <message>
        <source>640 x 480</source>
        <translation>640 x 480</translation>
    </message>
    <message>
        <source>1920 x 1080</source>
        <translation>1920 x 1080</translation>
    </message>
    <message>
        <source>Change resolution</source>
        <translation>Auflösung ändern</translation>
    </message>
    <message>
        <source>Show reference grid</source>
        <translation>Referenzgitter anzeigen</translation>
    </message>
    <message>
        <source>Barrel distortion</source>
        <translation>Tonnenverzeichnung</translation>
    </message>
    <message>
        <source>6</source>
        <translation>6</translation>
    </message>
    <message>
        <source>Barrel distortion value</source>
        <translation>Wert der Tonnenverzeichnung</translation>
    </message>
    <message>
        <source>Save configuration</source>
        <translation>Konfiguration speichern</translation>
    </message>
    <message>
        <source>Load configuration</source>
        <translation>Konfiguration laden</translation>
    </message>
    <message>
        <source>Remove this video</source>
        <translation>Dieses Video entfernen</translation>
    </message>
    <message>
        <source>Add red control point</source>
        <translation>Roten Passpunkt hinzufügen</translation>
    </message>
    <message>
        <source>Add blue control point</source>
        <translation>Blauen Passpunkt hinzufügen</translation>
    </message>
    <message>
        <source>Add yellow control point</source>
        <translation>Gelben Passpunkt hinzufügen</translation>
    </message>
    <message>
        <source>Add green control point</source>
        <translation>Grünen Passpunkt hinzufügen</translation>
    </message>
    <message>
        <source>Add orange control point</source>
        <translation>Orangen Passpunkt hinzufügen</translation>
    </message>
    <message>
        <source>Add purple control point</source>
        <translation>Violetten Passpunkt hinzufügen</translation>
    </message>
</context>
<context>
    <name>GraphWidget</name>
    <message>
        <source>Form</source>
        <translation>Formular</translation>
    </message>
    <message>
        <source>Realtime</source>
        <translation>Echtzeit</translation>
    </message>
    <message>
        <source>Show: </source>
        <translation>Anzeigen: </translation>
    </message>
    <message>
        <source>Activity</source>
        <translation>Aktivität</translation>
    </message>
    <message>
        <source>Count</source>
        <translation>Anzahl</translation>
    </message>
    <message>
        <source>Relative Time</source>
        <translation>Relative Zeit</translation>
    </message>
    <message>
        <source>Ctrl+S, Ctrl+S</source>
        <translation>Ctrl+S, Ctrl+S</translation>
    </message>
    <message>
        <source>Marker text</source>
        <translation>Text der Markierung</translation>
    </message>
    <message>
        <source>Marker at Position</source>
        <translation>Markierung an Position</translation>
    </message>
    <message>
        <source>Marker position</source>
        <translation>Position der Markierung</translation>
    </message>
    <message>
        <source>dd:HH:mm:ss</source>
        <translation>dd:HH:mm:ss</translation>
    </message>
    <message>
        <source>Add</source>
        <translation>Hinzufügen</translation>
    </message>
    <message>
        <source>Remove</source>
        <translation>Entfernen</translation>
    </message>
    <message>
        <source>Graph position</source>
        <translation>Position im Graphen</translation>
    </message>
    <message>
        <source>Scroll graph left</source>
        <translation>Graph nach links blättern</translation>
    </message>
    <message>
        <source>&lt;</source>
        <translation>&lt;</translation>
    </message>
    <message>
        <source>Activity graph</source>
        <translation>Aktivitätsgraph</translation>
    </message>
    <message>
        <source>Scroll graph right</source>
        <translation>Graph nach rechts blättern</translation>
    </message>
    <message>
        <source>&gt;</source>
        <translation>&gt;</translation>
    </message>
    <message>
        <source>Zoom out</source>
        <translation>Verkleinern</translation>
    </message>
    <message>
        <source>Graph start time</source>
        <translation>Startzeit des Graphen</translation>
    </message>
    <message>
        <source>Zoom In</source>
        <translation>Vergrößern</translation>
    </message>
    <message>
        <source>Graph end time</source>
        <translation>Endzeit des Graphen</translation>
    </message>
</context>
<context>
    <name>MainWindow</name>
    <message>
        <source>Tivoro</source>
        <translation>Tivoro</translation>
    </message>
    <message>
        <source>Analyze video files</source>
        <translation>Videodateien analysieren</translation>
    </message>
    <message>
        <source>Set up recoding session</source>
        <translation>Aufnahmesitzung einrichten</translation>
    </message>
    <message>
        <source>Open analyzed project</source>
        <translation>Analysiertes Projekt öffnen</translation>
    </message>
    <message>
        <source>Tools</source>
        <translation>Extras</translation>
    </message>
    <message>
        <source>Help</source>
        <translation>Hilfe</translation>
    </message>
    <message>
        <source>File</source>
        <translation>Datei</translation>
    </message>
    <message>
        <source>Settings</source>
        <translation>Einstellungen</translation>
    </message>
    <message>
        <source>About</source>
        <translation>Über Tivoro</translation>
    </message>
    <message>
        <source>Exit</source>
        <translation>Beenden</translation>
    </message>
    <message>
        <source>Open videos</source>
        <translation>Videos öffnen</translation>
    </message>
    <message>
        <source>Open video files</source>
        <translation>Videodateien öffnen</translation>
    </message>
    <message>
        <source>Files (*.*)</source>
        <translation>Dateien (*.*)</translation>
    </message>
    <message>
        <source>Files (*.tivoro)</source>
        <translation>Dateien (*.tivoro)</translation>
    </message>
</context>
<context>
    <name>MetaWidget</name>
    <message>
        <source>Form</source>
        <translation>Formular</translation>
    </message>
    <message>
        <source>Recording name:</source>
        <translation>Name der Aufnahme:</translation>
    </message>
    <message>
        <source>Recording name</source>
        <translation>Name der Aufnahme</translation>
    </message>
    <message>
        <source>Measurer:</source>
        <translation>Messende Person:</translation>
    </message>
    <message>
        <source>Group name:</source>
        <translation>Name der Gruppe:</translation>
    </message>
    <message>
        <source>Group name</source>
        <translation>Name der Gruppe</translation>
    </message>
    <message>
        <source>Location:</source>
        <translation>Ort:</translation>
    </message>
    <message>
        <source>Location</source>
        <translation>Ort</translation>
    </message>
    <message>
        <source>More information:</source>
        <translation>Weitere Angaben:</translation>
    </message>
    <message>
        <source>More information</source>
        <translation>Weitere Angaben</translation>
    </message>
    <message>
        <source>Measurer</source>
        <translation>Messende Person</translation>
    </message>
</context>
<context>
    <name>RecordingSettings</name>
    <message>
        <source>Recording settings</source>
        <translation>Aufnahmeeinstellungen</translation>
    </message>
    <message>
        <source>Maximum video file length</source>
        <translation>Maximale Länge einer Videodatei</translation>
    </message>
    <message>
        <source>Choose folder to save video files in</source>
        <translation>Ordner zum Speichern der Videodateien wählen</translation>
    </message>
    <message>
        <source>...</source>
        <translation>...</translation>
    </message>
    <message>
        <source>Folder to save video files in</source>
        <translation>Ordner zum Speichern der Videodateien</translation>
    </message>
    <message>
        <source>Longer videos will be split in multiple files</source>
        <translation>Längere Videos werden auf mehrere Dateien aufgeteilt</translation>
    </message>
    <message>
        <source>Setup cameras</source>
        <translation>Kameras einrichten</translation>
    </message>
    <message>
        <source>Back</source>
        <translation>Zurück</translation>
    </message>
</context>
<context>
    <name>RecordingWindow</name>
    <message>
        <source>MainWindow</source>
        <translation>Hauptfenster</translation>
    </message>
    <message>
        <source>Camera 1 image</source>
        <translation>Bild von Kamera 1</translation>
    </message>
    <message>
        <source>Camera 2 image</source>
        <translation>Bild von Kamera 2</translation>
    </message>
    <message>
        <source>Activity graph</source>
        <translation>Aktivitätsgraph</translation>
    </message>
    <message>
        <source>Zoom</source>
        <translation>Zoom</translation>
    </message>
    <message>
        <source>Zoom in</source>
        <translation>Vergrößern</translation>
    </message>
    <message>
        <source>+</source>
        <translation>+</translation>
    </message>
    <message>
        <source>Zoom out</source>
        <translation>Verkleinern</translation>
    </message>
    <message>
        <source>-</source>
        <translation>-</translation>
    </message>
    <message>
        <source>Recording view</source>
        <translation>Aufnahmeansicht</translation>
    </message>
    <message>
        <source>Camera pictures</source>
        <translation>Kamerabilder</translation>
    </message>
</context>
<context>
    <name>Settings</name>
    <message>
        <source>Settings</source>
        <translation>Einstellungen</translation>
    </message>
    <message>
        <source>Default save directory</source>
        <translation>Standardordner zum Speichern</translation>
    </message>
    <message>
        <source>Choose default save directory</source>
        <translation>Standardordner zum Speichern wählen</translation>
    </message>
    <message>
        <source>...</source>
        <translation>...</translation>
    </message>
    <message>
        <source>Graph background color:</source>
        <translation>Hintergrundfarbe des Graphen:</translation>
    </message>
    <message>
        <source>Change graph background color</source>
        <translation>Hintergrundfarbe des Graphen ändern</translation>
    </message>
    <message>
        <source>Change</source>
        <translation>Ändern</translation>
    </message>
    <message>
        <source>Graph background color</source>
        <translation>Hintergrundfarbe des Graphen</translation>
    </message>
    <message>
        <source>Activity graph color:</source>
        <translation>Farbe des Aktivitätsgraphen:</translation>
    </message>
    <message>
        <source>Change activity graph color</source>
        <translation>Farbe des Aktivitätsgraphen ändern</translation>
    </message>
    <message>
        <source>Activity graph color</source>
        <translation>Farbe des Aktivitätsgraphen</translation>
    </message>
    <message>
        <source>Sighting number graph color:</source>
        <translation>Farbe des Sichtungsgraphen:</translation>
    </message>
    <message>
        <source>Change sighting number graph color</source>
        <translation>Farbe des Sichtungsgraphen ändern</translation>
    </message>
    <message>
        <source>Sighting number graph color</source>
        <translation>Farbe des Sichtungsgraphen</translation>
    </message>
    <message>
        <source>Video file maximum length</source>
        <translation>Maximale Länge einer Videodatei</translation>
    </message>
    <message>
        <source>H:mm:ss</source>
        <translation>H:mm:ss</translation>
    </message>
    <message>
        <source>Time display</source>
        <translation>Zeitanzeige</translation>
    </message>
    <message>
        <source>Display time of filming</source>
        <translation>Aufnahmezeit anzeigen</translation>
    </message>
    <message>
        <source>Display time from the start of a video file</source>
        <translation>Zeit ab Beginn der Videodatei anzeigen</translation>
    </message>
</context>
<context>
    <name>SetupRecording</name>
    <message>
        <source>MainWindow</source>
        <translation>Hauptfenster</translation>
    </message>
    <message>
        <source>Calibrate manually</source>
        <translation>Manuell kalibrieren</translation>
    </message>
    <message>
        <source>Calibrate using control points (at least 2 cameras required)</source>
        <translation>Mit Passpunkten kalibrieren (mindestens 2 Kameras nötig)</translation>
    </message>
    <message>
        <source>Calibrate</source>
        <translation>Kalibrieren</translation>
    </message>
    <message>
        <source>Add new camera</source>
        <translation>Neue Kamera hinzufügen</translation>
    </message>
    <message>
        <source>Back to edit metadata</source>
        <translation>Zurück zu den Metadaten</translation>
    </message>
    <message>
        <source>Start recording</source>
        <translation>Aufnahme starten</translation>
    </message>
    <message>
        <source>Tools</source>
        <translation>Extras</translation>
    </message>
    <message>
        <source>Help</source>
        <translation>Hilfe</translation>
    </message>
    <message>
        <source>File</source>
        <translation>Datei</translation>
    </message>
    <message>
        <source>Camera setup</source>
        <translation>Kameraeinrichtung</translation>
    </message>
    <message>
        <source>Camera calibration</source>
        <translation>Kamerakalibrierung</translation>
    </message>
</context>
<context>
    <name>SetupRecordingWithMetadata</name>
    <message>
        <source>MainWindow</source>
        <translation>Hauptfenster</translation>
    </message>
    <message>
        <source>Camera 1 image</source>
        <translation>Bild von Kamera 1</translation>
    </message>
    <message>
        <source>Camera 2 image</source>
        <translation>Bild von Kamera 2</translation>
    </message>
    <message>
        <source>Folder to save files in:</source>
        <translation>Ordner zum Speichern der Dateien:</translation>
    </message>
    <message>
        <source>Folder to save files in</source>
        <translation>Ordner zum Speichern der Dateien</translation>
    </message>
    <message>
        <source>Choose folder to save files in</source>
        <translation>Ordner zum Speichern der Dateien wählen</translation>
    </message>
    <message>
        <source>...</source>
        <translation>...</translation>
    </message>
    <message>
        <source>Save video to hard drive</source>
        <translation>Video auf der Festplatte speichern</translation>
    </message>
    <message>
        <source>Save activity data to hard drive</source>
        <translation>Aktivitätsdaten auf der Festplatte speichern</translation>
    </message>
    <message>
        <source>Calibrate manually</source>
        <translation>Manuell kalibrieren</translation>
    </message>
    <message>
        <source>Calibrate using control points (right click on video to add points)</source>
        <translation>Mit Passpunkten kalibrieren (Rechtsklick ins Video setzt Punkte)</translation>
    </message>
    <message>
        <source>Calibrate</source>
        <translation>Kalibrieren</translation>
    </message>
    <message>
        <source>Add new camera</source>
        <translation>Neue Kamera hinzufügen</translation>
    </message>
    <message>
        <source>Show graph</source>
        <translation>Graph anzeigen</translation>
    </message>
    <message>
        <source>Cancel recording</source>
        <translation>Aufnahme abbrechen</translation>
    </message>
    <message>
        <source>Start recording</source>
        <translation>Aufnahme starten</translation>
    </message>
    <message>
        <source>Tools</source>
        <translation>Extras</translation>
    </message>
    <message>
        <source>Help</source>
        <translation>Hilfe</translation>
    </message>
    <message>
        <source>File</source>
        <translation>Datei</translation>
    </message>
    <message>
        <source>Open analyzed project</source>
        <translation>Analysiertes Projekt öffnen</translation>
    </message>
    <message>
        <source>Open videos</source>
        <translation>Videos öffnen</translation>
    </message>
    <message>
        <source>Exit</source>
        <translation>Beenden</translation>
    </message>
    <message>
        <source>Close current session</source>
        <translation>Aktuelle Sitzung schließen</translation>
    </message>
    <message>
        <source>Settings</source>
        <translation>Einstellungen</translation>
    </message>
    <message>
        <source>About</source>
        <translation>Über Tivoro</translation>
    </message>
    <message>
        <source>Stop recording</source>
        <translation>Aufnahme beenden</translation>
    </message>
    <message>
        <source>Show metadata</source>
        <translation>Metadaten anzeigen</translation>
    </message>
    <message>
        <source>Recording session</source>
        <translation>Aufnahmesitzung</translation>
    </message>
    <message>
        <source>Cameras</source>
        <translation>Kameras</translation>
    </message>
    <message>
        <source>Camera pictures</source>
        <translation>Kamerabilder</translation>
    </message>
    <message>
        <source>Camera calibration</source>
        <translation>Kamerakalibrierung</translation>
    </message>
    <message>
        <source>Metadata and graph</source>
        <translation>Metadaten und Graph</translation>
    </message>
</context>
</TS>
