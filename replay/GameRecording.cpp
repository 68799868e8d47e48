#include "replay/GameRecording.hpp"

#include <ctime>

GameRecording::GameRecording(const std::string& playerFileName, const KeptGames& keptGames, std::ostream& out)
    : kept(&keptGames)
    , warnings(&out)
{
    std::vector<std::ostream*> streams;
    if (!playerFileName.empty())
    {
        playerFile = std::make_unique<RecordingFile>(playerFileName);
        streams.push_back(&playerFile->getStream());
    }
    try
    {
        keptPath = kept->begin(std::time(nullptr));
        keptFile = std::make_unique<RecordingFile>(keptPath.string());
        streams.push_back(&keptFile->getStream());
    }
    catch (const std::runtime_error& error)
    {
        *warnings << "brindlewick: " << error.what() << "; this game is not kept" << std::endl;
        keptPath.clear();
    }
    recorder = std::make_unique<GameRecorder>(std::move(streams));
}

GameRecording::~GameRecording()
{
    if (finished || !keptFile || recorder->getFrameCount() > 0)
        return;
    keptFile.reset();
    std::error_code ignored;
    std::filesystem::remove(keptPath, ignored);
}

bool GameRecording::finish()
{
    finished = true;
    bool whole = true;
    if (playerFile)
    {
        try
        {
            playerFile->close();
        }
        catch (const RecordingFileError& error)
        {
            *warnings << "brindlewick: " << error.what() << std::endl;
            whole = false;
        }
    }
    if (keptFile)
    {
        try
        {
            keptFile->close();
            keptPath = kept->keep(keptPath);
        }
        catch (const std::runtime_error& error)
        {
            *warnings << "brindlewick: " << error.what() << "; this game is not kept whole" << std::endl;
        }
    }
    return whole;
}
