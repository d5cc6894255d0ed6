"""A speech server for Orca that writes each utterance, one a line, to the file named by
TONVIRTA_SPEECH_LOG, so that what Orca says can be read without a speech synthesizer."""
import os

from orca import speechserver


class SpeechServer(speechserver.SpeechServer):
    _active = None

    @staticmethod
    def getFactoryName():
        return "Tonvirta's speech log"

    @staticmethod
    def getSpeechServers():
        return [SpeechServer.getSpeechServer()]

    @staticmethod
    def getSpeechServer(info=None):
        if SpeechServer._active is None:
            SpeechServer._active = SpeechServer()
        return SpeechServer._active

    @staticmethod
    def shutdownActiveServers():
        pass

    def getInfo(self):
        return [self.getFactoryName(), "log"]

    def getVoiceFamilies(self):
        return []

    def _write(self, text):
        text = " ".join(str(text).split())
        if text:
            with open(os.environ["TONVIRTA_SPEECH_LOG"], "a", encoding="utf-8") as log:
                log.write(text + "\n")

    def speak(self, text=None, acss=None, interrupt=True):
        if text:
            self._write(text)

    def speakCharacter(self, character, acss=None):
        self._write(character)

    def speakKeyEvent(self, event, acss=None):
        # Keys echoed as typed would bury what the program says.
        pass

    def sayAll(self, utteranceIterator, progressCallback):
        for context, _acss in utteranceIterator:
            self._write(context.utterance)
